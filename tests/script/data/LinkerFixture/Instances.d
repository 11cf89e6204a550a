// A prototype and instances of it and of the classes.
PROTOTYPE Npc_Default (C_NPC)
{
	level = 1;
	attribute[ATR_HITPOINTS] = 40;
	attribute[ATR_MANA] = 10;
	name[0] = "Nobody";
};

INSTANCE Hero (Npc_Default)
{
	id = 1;
	name[0] = "Hero";
	daily_routine = Rtn_Start;
};

INSTANCE Wolf, Sheep (C_NPC)
{
	id = 2;
	level = Add (3, 4);
};

INSTANCE Sword (C_ITEM)
{
	value = 100;
	description = "A sword";
};
