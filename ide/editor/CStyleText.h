// The text-style dialog: font, colours and case of one style record, shown on a sample.
#pragma once

#include "CDialog.h"
#include "EditorSettings.h"
#include "ResourceIds.h"

class CStyleText : public CDialog {
public:
    // Edits the record lexerStyle is drawn with (its default when no editor frame holds the
    // styles); sampleText is shown in it.
    CStyleText(const char* sampleText, int lexerStyle, CWnd* pParentView);

    BOOL OnInitDialog() override;

    int GetRecord() const { return m_record; }
    // The record as edited; the caller takes it over after OK.
    const TextStyle& GetStyle() const { return m_style; }

    void OnFont();
    void OnTextColor();
    void OnBackColor();
    void OnCaseChange();
    void OnDefaultStyle();

    DECLARE_MESSAGE_MAP()

private:
    // The sample drawn with the working record.
    void RefreshSample();
    // A colour dialog starting from color; OK takes its choice.
    void PickColor(uint32_t& color);

    CString m_sampleText;
    int m_lexerStyle;
    int m_record;
    TextStyle m_style;     // working copy
    TextStyle m_original;  // as it was when the dialog began
    TextStyle m_aside;     // the working copy while "Default Style" is ticked
};
