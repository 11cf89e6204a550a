func void Menu_Open(var string name);
