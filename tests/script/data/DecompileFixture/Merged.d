// A second declaration of an instance, merged into the first.
INSTANCE Sword (C_ITEM)
{
	flags = 4;
};
