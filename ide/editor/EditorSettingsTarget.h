// What a view showing a script offers the frames when the shared editor settings change.
#pragma once

class EditorSettingsTarget {
public:
    // The lexer style's record changed: draw that style anew.
    virtual void ApplyStyle(int lexerStyle) = 0;
    // A record changed: draw anew every style drawn from it.
    virtual void ApplyRecord(int record) = 0;
    // The margins or editing aids changed.
    virtual void ApplySettings() = 0;

protected:
    ~EditorSettingsTarget() = default;
};
