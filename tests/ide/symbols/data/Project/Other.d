func void B_Say(var int x) {};
