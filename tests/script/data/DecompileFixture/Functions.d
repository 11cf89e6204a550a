// Functions of every return type, with parameters and locals of every kind.
FUNC VOID Rtn_Start () {};

CONST FUNC DEFAULT_ROUTINE = Rtn_Start;

FUNC INT Add (VAR INT a, VAR INT b)
{
	VAR INT sum;
	sum = a + b;
	return sum;
};

FUNC FLOAT Half (VAR FLOAT value)
{
	return value;
};

FUNC STRING Describe (VAR C_NPC slf, VAR STRING prefix)
{
	CONST STRING SUFFIX = "!";
	return slf.name[1];
};

FUNC C_NPC Pick (VAR C_NPC first, VAR C_NPC second)
{
	return;
};

FUNC VOID Schedule (VAR FUNC what, VAR INT times)
{
	VAR FUNC pending;
	VAR C_NPC someone;
	CONST INT LIMITS[2] = {1, 2};
	VAR INT marks[2];
	pending = what;
	marks[1] = times;
};
