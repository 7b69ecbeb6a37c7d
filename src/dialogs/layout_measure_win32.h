// The measurements a layout is fitted to, taken from the running dialog: texts in the
// font its controls get, at the dialog's DPI, and what each kind of control takes beside
// its text, read from probe controls. All are given back in the layout's 96-DPI pixels.
#pragma once

#include <windows.h>

#include "dialogs/layout_fit.h"

namespace tavoli {

class DialogTextMeasure : public TextMeasure {
public:
    // Holds a device context of the dialog with the controls' font until destroyed.
    explicit DialogTextMeasure(HWND dialog);
    ~DialogTextMeasure() override;
    DialogTextMeasure(const DialogTextMeasure&) = delete;
    DialogTextMeasure& operator=(const DialogTextMeasure&) = delete;

    int Width(std::string_view text) const override;
    int LineHeight() const override;

    // Pixels at the dialog's DPI in layout pixels, rounded up; off 96 DPI one more, for
    // the rectangle's two edges, which scale and round apart.
    int ToLayout(int pixels) const;
    // A text's width at the dialog's DPI.
    int DeviceWidth(std::string_view text) const;
    int Dpi() const { return dpi_; }

private:
    HWND dialog_;
    HDC device_ = nullptr;
    HGDIOBJ previousFont_ = nullptr;
    int dpi_ = 96;
};

// What each kind of control takes beside its text, measured on hidden probe controls of
// the dialog that are destroyed again.
ControlChrome MeasureChrome(HWND dialog, const DialogTextMeasure& measure);

// The layout fitted to the contents as the dialog measures them, and the dialog's client
// area grown (never shrunk) to hold it, around the same centre.
FittedLayout FitDialog(HWND dialog, const DialogLayout& layout, const ControlContents& contents);

}  // namespace tavoli
