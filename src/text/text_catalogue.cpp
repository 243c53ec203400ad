#include "text/text_catalogue.h"

#include "text/text_tables.h"

#include <algorithm>

namespace zeb {

namespace {

using text::CodedText;
using text::KeyedText;

const CodedText* FindCoded(int code) {
    const auto& table = text::CodedTexts();
    const auto it = std::find_if(table.begin(), table.end(),
                                 [code](const CodedText& t) { return t.code == code; });
    return it == table.end() ? nullptr : &*it;
}

const KeyedText* FindKeyed(TextKey key) {
    const auto& table = text::KeyedTexts();
    const auto it = std::find_if(table.begin(), table.end(),
                                 [key](const KeyedText& t) { return t.key == key; });
    return it == table.end() ? nullptr : &*it;
}

// The code a language file replaces the text by, or NoCode.
int CodeOf(TextId id) {
    if (id.Coded())
        return id.Code();
    const KeyedText* keyed = FindKeyed(id.Key());
    return keyed ? keyed->code : text::NoCode;
}

bool IsStatusCode(int code) {
    return code >= 9003 && code <= 9010;
}

constexpr int WarmUpItemCode = 43;

} // namespace

const TextCatalogue& TextCatalogue::BuiltInCatalogue() {
    static const TextCatalogue builtIn;
    return builtIn;
}

QString TextCatalogue::BuiltIn(TextId id) {
    if (id.Coded()) {
        const CodedText* coded = FindCoded(id.Code());
        return coded ? QString::fromUtf8(coded->builtIn) : QString();
    }
    const KeyedText* keyed = FindKeyed(id.Key());
    return keyed ? QString::fromUtf8(keyed->builtIn) : QString();
}

bool TextCatalogue::IsKnownCode(int code) {
    if (FindCoded(code))
        return true;
    const auto& keyed = text::KeyedTexts();
    return code != text::NoCode &&
           std::any_of(keyed.begin(), keyed.end(),
                       [code](const KeyedText& t) { return t.code == code; });
}

std::optional<int> TextCatalogue::LanguageCode(TextId id) {
    const int code = CodeOf(id);
    return code == text::NoCode ? std::nullopt : std::optional<int>(code);
}

void TextCatalogue::Define(int code, const QString& text) {
    if (!IsKnownCode(code))
        return;
    m_texts.insert(code, IsStatusCode(code) ? text.left(StatusMaxLength) : text);
    if (code == WarmUpItemCode)
        m_texts.insert(text::StatusCode(8), text.left(StatusMaxLength));
}

bool TextCatalogue::Replaced(TextId id) const {
    return m_loaded && Defined(CodeOf(id));
}

void TextCatalogue::Clear() {
    m_loaded = false;
    m_texts.clear();
}

QString TextCatalogue::Text(TextId id) const {
    if (!m_loaded)
        return BuiltIn(id);
    const int code = CodeOf(id);
    if (Defined(code))
        return FileText(code);
    // Only the code table's own dialog texts and messages go empty.
    const CodedText* coded = id.Coded() ? FindCoded(code) : nullptr;
    return coded && !coded->keepsBuiltIn ? QString() : BuiltIn(id);
}

QString TextCatalogue::Status(int entry) const {
    if (entry < 1 || entry > StatusCount)
        return {};
    return Text(text::StatusCode(entry));
}

} // namespace zeb
