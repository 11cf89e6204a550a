// A condition function may end in an if that returns TRUE; another function may not.
CONST INT TRUE = 1;
VAR INT counter;

FUNC INT Info_Test_Condition ()
{
	if (counter > 1)
	{
		return TRUE;
	};
};

FUNC INT Info_Test_Check ()
{
	if (counter > 1)
	{
		return TRUE;
	};
};
