// Classes, constants and variables of the linker's fixture project.
CLASS C_NPC
{
	VAR INT		id;
	VAR STRING	name[2];
	VAR INT		attribute[4];
	VAR INT		level;
	VAR FUNC	daily_routine;
};

CLASS C_ITEM
{
	VAR INT		value;
	VAR STRING	description;
	VAR INT		flags;
};

CONST INT		TRUE			= 1;
CONST INT		FALSE			= 0;
CONST INT		ATR_HITPOINTS	= 0;
CONST INT		ATR_MANA		= 1 + 2;
CONST FLOAT		SPEED			= 1.5;
CONST STRING	GREETINGS[2]	= {"Hello", "Bye"};

VAR INT		counter;
VAR FLOAT	speed_now;
VAR INT		table[3];
VAR C_NPC	self;
VAR C_NPC	other;
