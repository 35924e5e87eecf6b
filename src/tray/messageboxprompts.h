#pragma once

#include "core/seams.h"

// The real message boxes, always above on-top notes.
class MessageBoxPrompts final : public Prompts {
public:
    void message(const QString& title, const QString& text) override;
    Answer askYesNo(const QString& title, const QString& text) override;
};
