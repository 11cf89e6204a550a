// Prototypes, instances of classes and prototypes, shared bodies, locals in bodies.
PROTOTYPE Npc_Default (C_NPC)
{
	VAR INT local_mark;
	local_mark = 3;
	level = local_mark;
	attribute[ATR_HITPOINTS] = 40;
	attribute[ATR_MANA] = 10;
	name[0] = "Nobody";
	weight = 1.5;
};

INSTANCE Hero_Npc (Npc_Default)
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

INSTANCE Guard_1, Guard_2, Guard_3 (Npc_Default)
{
	id = 3;
};

INSTANCE Ghost (C_NPC);

INSTANCE Dia_Greet (C_INFO)
{
	npc = Hero_Npc;
	nr = 1;
	condition = Info_Greet_Condition;
	information = Rtn_Start;
	description = "Greet";
};

INSTANCE SVM_0 (C_SVM)
{
	smalltalk = "SVM_0_Smalltalk"; //Nice weather.
	greet = "SVM_0_Greet"; //Hello!
};

// Last of the file: its second declaration follows in the next file.
INSTANCE Sword (C_ITEM)
{
	value = 100;
	description = "A sword";
};
