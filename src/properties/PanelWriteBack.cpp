// The control tabs' write-back. The stores into the controls are built on the tables of each
// tab; until a tab has its table, its write-back stores nothing.

#include "properties/PropertyPanel.h"

#include "core/Globals.h"

void PropertyPanel::Update_Line_Graphics() {}
void PropertyPanel::Update_Shape_Graphics() {}
void PropertyPanel::Update_Text_Graphics() {}
void PropertyPanel::Update_Image_Graphics(bool) {}
void PropertyPanel::Update_Sign_Graphics() {}
