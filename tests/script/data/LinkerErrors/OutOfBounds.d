// An index outside the array: counted, and the link stops the job.
VAR INT pair[2];

FUNC VOID Use ()
{
	pair[1] = 1;
	pair[5] = 2;
};
