#include "framework/widget/dialog.h"

#include "framework/widget/dialog_listener.h"

namespace Kavo {

Dialog::Dialog(Image* componentImage, Image* buttonImage, int32_t id, bool isModal, const std::string& header,
               const std::string& lines, const std::string& footer, int32_t buttonMode)
    : mComponentImage(componentImage), mButtonImage(buttonImage), mId(id), mIsModal(isModal), mDialogHeader(header),
      mDialogLines(lines), mDialogFooter(footer), mButtonMode(buttonMode) {}

int32_t Dialog::GetPreferredHeight(int32_t) {
    // Header, lines and footer one text line each, plus the button row.
    return 3 * 20 + 40;
}

void Dialog::ButtonDepress(int32_t buttonId) {
    mResult = buttonId;
    if (mDialogListener != nullptr)
        mDialogListener->DialogButtonRelease(mId, buttonId);
}

} // namespace Kavo
