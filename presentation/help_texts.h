// The program's own help, for when no help file is beside it: the guide shown by Pomoc > Spis treści, and
// one pop-up text for each help topic of the dialogs' controls. Polish, Windows-1250, all in one place.
#pragma once

#include <cstdint>

// The guide, lines ended by CR LF.
const char* HelpGuideText();

// The pop-up text of a help topic (a context id); null for an id no dialog uses.
const char* HelpTopicText(std::uint32_t contextId);

// The pop-up text for a control: the topic its dialog's (control id, context id) table, ended by (0, 0),
// pairs with it; null when the table has none.
const char* HelpPopupText(const std::uint32_t* pairs, int controlId);
