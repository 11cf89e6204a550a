// Functions with parameters and locals, if/else chains, calls.
FUNC INT Add (VAR INT a, VAR INT b)
{
	VAR INT sum;
	sum = a + b;
	return sum;
};

FUNC STRING Describe (VAR C_NPC slf)
{
	return slf.name[1];
};

FUNC INT Classify (VAR INT x)
{
	if (x < 0)
	{
		return 0 - 1;
	}
	else if (x == 0)
	{
		return 0;
	}
	else
	{
		return 1;
	};
	return 2;
};

FUNC VOID Rtn_Start ()
{
};

FUNC VOID Talk ()
{
	AI_Output (self, other, "Info_Greet_15_01"); //Hello there!
	Print (IntToString (Add (counter, 2)));
	table[2] = Hlp_Random (10);
	counter += table[2] * 3;
	speed_now = 2.5;
	self.level = Classify (counter);
};

FUNC INT Info_Greet_Condition ()
{
	if (counter > 1)
	{
		return TRUE;
	};
};
