// Every statement form the compiler knows.
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
	else if (x > 100)
	{
		if (x > 1000)
		{
			return 3;
		};
		return 2;
	}
	else
	{
		return 1;
	};
	return 4;
};

FUNC VOID Assignments ()
{
	VAR INT a;
	VAR INT b;
	VAR INT c;
	a = 1;
	b = a + 2 + 3;
	c = (a + b) * 3;
	c = a - (b - c);
	c = a * (b + c) / 2 % 7;
	c = -a;
	c = -(a + b);
	c = !a;
	if (!(a == b))
	{
		c = 1;
	};
	c = ~b;
	c = +a;
	c = a << 2 | b >> 1 & 3;
	if (a < b || b <= c && c >= a || a != b)
	{
		c = 2;
	};
	a += 1;
	a -= b;
	a *= 2;
	a /= 3;
	slots[0] = 5;
	slots[3] = slots[2] + slots[0];
	self.attribute[ATR_HITPOINTS] = 10;
	self.attribute[ATR_MANA] = self.attribute[ATR_HITPOINTS_MAX];
	self.level = Add (self.level, 1);
	speed = 2.5;
	speeds[1] = 0.75;
	last_text = "text";
	texts[1] = last_text;
	self.name[0] = GREETING;
	self.daily_routine = Rtn_Start;
	next_step = Rtn_Start;
	hero = Pick (self, other);
};

FUNC VOID Calls ()
{
	Print ("plain");
	Print (IntToString (Add (counter, Hlp_Random (10))));
	Rtn_Start ();
	Schedule (Rtn_Start, 2);
	counter = Add (Add (1, 2), Add (3, 4));
	AI_Output (self, other, "Calls_15_00"); //Spoken words.
	if (Npc_IsDead (self))
	{
		return;
	};
	if (counter)
	{
		counter = 1;
	}
	else
	{
		return;
	};
	last_text = Describe (hero, "Sir ");
	speed = Half (1.25);
};

FUNC INT Info_Greet_Condition ()
{
	if (counter > 1)
	{
		return TRUE;
	};
};
