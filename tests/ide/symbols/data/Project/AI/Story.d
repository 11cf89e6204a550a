/* Story of the fixture project:
   prototypes, instances, functions and constants */
prototype Npc_Default(C_NPC)
{
    attribute = 1;
};

instance Hero(Npc_Default) { name = "Hero; // {"; };
instance Wolf, Sheep(C_NPC);

const string GREETING = "Hi; // { there";
const int TABLE[2] = { 1, 2 };
var int counter, total;
var C_NPC other;

func void B_Say(var C_NPC slf, var string text)
{
    if (1) { counter = 2; };
};

func int
Answer()
{
    return 42;
};

const string LATE = "}";
func void AfterStrings() {};
