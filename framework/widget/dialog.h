#pragma once

#include <cstdint>
#include <string>

#include "framework/widget/widget.h"

namespace Kavo {

class DialogListener;
class Image;

// A framework message dialog: header, lines, footer and one or two buttons.
// Its first button reports id 1000 and its second 1001 to the listener.
class Dialog : public Widget {
public:
    static constexpr int32_t kNoResult = 0x7fffffff;
    static constexpr int32_t kFirstButtonId = 1000;
    static constexpr int32_t kSecondButtonId = 1001;

    Dialog(Image* componentImage, Image* buttonImage, int32_t id, bool isModal, const std::string& header,
           const std::string& lines, const std::string& footer, int32_t buttonMode);

    virtual int32_t GetPreferredHeight(int32_t width);
    virtual bool IsModal() const { return mIsModal; }
    // A button of this dialog went down and came up: stores the result and
    // tells the listener.
    virtual void ButtonDepress(int32_t buttonId);

    DialogListener* mDialogListener = nullptr;
    Image* mComponentImage;
    Image* mButtonImage;
    int32_t mId;
    int32_t mResult = kNoResult;
    bool mIsModal;
    std::string mDialogHeader;
    std::string mDialogLines;
    std::string mDialogFooter;
    int32_t mButtonMode;
};

} // namespace Kavo
