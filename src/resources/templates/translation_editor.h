#pragma once

#include "resources/dialog_template.h"

namespace strumvale::resources {

// The Translate page of the settings window. Its ids differ from those of the
// window's other pages (settings_dialog.h).
enum class TranslationEditorId : int {
    Save = 1009,
    Author = 1177,
    Open = 1178,
    TranslateGroup = 1179,
    Language = 1180,
    LanguageLabel = 1182,
    AuthorLabel = 1183,
    Description = 1184,
    DescriptionLabel = 1185,
    Phrase = 1186,
    PhraseLabel = 1187,
    TranslationLabel = 1188,
    Translation = 1189,
    FileName = 1193,
    LeftToTranslate = 1194,
};

// In client pixels of the settings window and of its size; built into that
// window after its frame, with DialogSizing::Child.
const DialogTemplate& translationEditorTemplate();

} // namespace strumvale::resources
