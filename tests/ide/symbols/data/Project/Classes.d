// Classes of the fixture project
class C_NPC
{
    var int attribute;
    var string name[5];
    var int AZ;
    var int A_B;
    var int A1;
    var func daily_routine;
};

class C_ITEM { var int value; };
