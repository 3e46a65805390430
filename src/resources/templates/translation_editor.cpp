#include "resources/templates/translation_editor.h"

namespace strumvale::resources {
namespace {

using enum ControlKind;
using Id = TranslationEditorId;

constexpr std::uint32_t px = style::ClientPixels;

constexpr ControlTemplate kControls[] = {
    {Id::TranslateGroup, GroupBox, "Translate", rectFromEdges(150, 10, 480, 340), px},
    {Id::LanguageLabel, Static, "Language:", rectFromEdges(160, 34, 260, 54),
     px | style::RightAligned},
    {Id::Language, Edit, "", rectFromEdges(270, 30, 470, 49),
     px | style::Sunken | style::AutoScroll},
    {Id::AuthorLabel, Static, "Author:", rectFromEdges(160, 64, 260, 84), px | style::RightAligned},
    {Id::Author, Edit, "", rectFromEdges(270, 60, 470, 79), px},
    {Id::DescriptionLabel, Static, "Description:", rectFromEdges(160, 94, 260, 114),
     px | style::RightAligned},
    {Id::Description, Edit, "", rectFromEdges(270, 90, 470, 109), px},
    {Id::PhraseLabel, Static, "Word / Phrase to translate:", rectFromEdges(160, 150, 470, 170), px},
    {Id::Phrase, DropDownList, "", rectFromEdges(160, 172, 470, 184), px},
    {Id::TranslationLabel, Static, "Translate word / phrase to:", rectFromEdges(160, 200, 470, 220),
     px},
    {Id::Translation, Edit, "", rectFromEdges(160, 222, 470, 241), px},
    {Id::LeftToTranslate, Static,
     "Words / Phrases left to translate:", rectFromEdges(160, 250, 470, 270), px},
    {Id::FileName, Static, "Translation File: New Translation", rectFromEdges(160, 315, 390, 335),
     px},
    {Id::Open, ImageButton, "", rectFromEdges(400, 305, 430, 330), px},
    {Id::Save, ImageButton, "", rectFromEdges(440, 305, 470, 330), px},
};

// Same window as the settings dialog (template 133), hence its number and size.
constexpr DialogTemplate kTemplate{133, 332, 251, "", kControls};

} // namespace

const DialogTemplate& translationEditorTemplate() {
    return kTemplate;
}

} // namespace strumvale::resources
