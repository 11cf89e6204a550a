// A void function's call where an int is needed.
FUNC VOID Nothing ()
{
};

FUNC VOID Use ()
{
	VAR INT x;
	x = Nothing ();
};
