#pragma once
// The style of the program's menus. An item that can carry a check mark shows the mark when
// it is checked and nothing in its place otherwise, like a plain menu item; Qt's styles
// would draw an empty box for every such item that is not checked.

class QStyle;

// One shared style for every menu; it lives as long as the application.
QStyle* PlainMenuStyle();
