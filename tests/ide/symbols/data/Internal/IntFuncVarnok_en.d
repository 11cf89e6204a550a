func int Hlp_Random(var int bound);
