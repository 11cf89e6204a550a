func int Npc_IsDead(var C_NPC n);
func void Print(var string s) {};
