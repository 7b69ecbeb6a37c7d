#include "dialogs/message_box_layout.h"

#include <algorithm>

namespace tavoli {

MessageBoxLayout LayOutMessageBox(Size text, Size icon, Size button, int dpi) {
    const int margin = ScaleToDpi(11, dpi), gap = ScaleToDpi(10, dpi);
    MessageBoxLayout layout;
    const int top = margin, rowHeight = std::max(icon.height, text.height);
    layout.icon = {margin, top + (rowHeight - icon.height) / 2, margin + icon.width,
                   top + (rowHeight - icon.height) / 2 + icon.height};
    const int textLeft = layout.icon.right + gap, textTop = top + (rowHeight - text.height) / 2;
    layout.text = {textLeft, textTop, textLeft + text.width, textTop + text.height};
    const int width = std::max(layout.text.right, margin + button.width) + margin;
    const int buttonTop = top + rowHeight + margin;
    layout.button = {(width - button.width) / 2, buttonTop, (width - button.width) / 2 + button.width,
                     buttonTop + button.height};
    layout.client = {width, layout.button.bottom + margin};
    return layout;
}

}  // namespace tavoli
