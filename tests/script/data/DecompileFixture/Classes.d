// Classes, instance variables and function values.
CLASS C_NPC
{
	VAR INT id;
	VAR STRING name[2];
	VAR INT attribute[3];
	VAR INT aivar[4];
	VAR INT level;
	VAR FLOAT weight;
	VAR FUNC daily_routine;
};

CLASS C_ITEM
{
	VAR INT value;
	VAR STRING description;
	VAR INT flags;
};

CLASS C_INFO
{
	VAR INT npc;
	VAR INT nr;
	VAR FUNC condition;
	VAR FUNC information;
	VAR STRING description;
};

CLASS C_SVM
{
	VAR STRING smalltalk;
	VAR STRING greet;
};

VAR C_NPC self;
VAR C_NPC other;
VAR C_NPC hero;
VAR C_ITEM item;
VAR FUNC next_step;
