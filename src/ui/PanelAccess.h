// How the keyboard and assistive technology reach the main window's figures. The totals open
// their slot finder from the keyboard as from the mouse: Tab stops on each total and on the
// skill list, Space, Enter or Return opens the finder. Every figure carries a spoken name
// ("STR", "Gem 2 Cost"), since its own text is a bare number, and tells its figure as its value.
#pragma once

class TMainForm;

// Called once by the window's construction, after its handlers are connected.
void MakeFiguresAccessible(TMainForm& form);
