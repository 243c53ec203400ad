#pragma once
// The eight status texts shown as the second line of the status memo. Built-in Russian texts
// first; the language file may replace any of them (codes 9003..9010, and 43 for entry 8).

#include <QString>

#include <array>

namespace zeb {

class StatusMessages {
public:
    static constexpr int Count = 8;
    static constexpr int MaxLength = 255;

    // Entry n, 1..8; empty for any other n.
    QString Text(int n) const;
    // Sets entry n (1..8, others ignored), cut to MaxLength characters.
    void Set(int n, const QString& text);

private:
    std::array<QString, Count> m_texts;
};

// Fills every entry with its built-in text. The first thing the main window does.
void SetDefaultMessages(StatusMessages& messages);

} // namespace zeb
