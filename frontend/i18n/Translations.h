#pragma once

#include "logic/text/Language.h"

namespace brisca {

// Makes the application speak `language`: the windows' own texts from the embedded English
// translation, or Qt's own dialogs and buttons from Qt's Japanese translation, and the
// problems' messages in the same language. Replaces what an earlier call installed. False
// when a translation could not be loaded; the texts then stay as they are in the sources.
bool InstallTranslations(Language language);

} // namespace brisca
