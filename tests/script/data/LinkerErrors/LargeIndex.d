// An element beyond the byte code's one-byte index.
VAR INT big[300];

FUNC VOID Use ()
{
	big[255] = 1;
	big[256] = 2;
};
