#pragma once

class QComboBox;

// Fills the combo's list with the texts kept in section, newest first.
void LoadKeywordHistory(QComboBox* combo, const char* section);

// Puts the combo's text at the top of its list, selects it and stores the
// list in section. An empty text changes nothing.
void SaveKeywordHistory(QComboBox* combo, const char* section);
