#pragma once
// The named looks the library's controls take with SetComponentStyle.

enum TKYTStyle {
  ksOffice2003Blue,
  ksOffice2003Silver,
  ksOffice2003Olive,
  ksOffice2003Classic,
  ksOffice2007Luna,
  ksOffice2007Obsidian,
  ksWindowsXP,
  ksWhidbey,
  ksCustom,
  ksOffice2007Silver,
  ksWindowsVista,
  ksWindows7,
  ksTerminal,
  ksOffice2010Blue,
  ksOffice2010Silver,
  ksOffice2010Black
};
