#pragma once
// The program's set of forms, created once in a fixed order: the main window
// first (no dialog exists while its start-up runs), then every dialog.

class TApplication;

void CreateProgramForms(TApplication& app);
