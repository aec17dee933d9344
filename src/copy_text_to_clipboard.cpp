#include "copy_text_to_clipboard.h"

#include <windows.h>

int CopyTextToClipboard(const char* text) {
    SIZE_T length = 0;
    while (text[length] != '\0') ++length;

    if (length == 0) {
        // The notice has a single OK button: there is no answer to act on.
        (void)MessageBoxA(nullptr, kUsageText, kUsageCaption, MB_ICONINFORMATION);
        return kCopyEmptyText;
    }

    // Someone else holds the clipboard: give up at once rather than wait,
    // callers retry if they care.
    if (!OpenClipboard(nullptr)) return kCopyClipboardBusy;

    // If emptying failed, SetClipboardData below still replaces CF_TEXT;
    // there is nothing better to do with the clipboard already open.
    (void)EmptyClipboard();

    int result = kCopyPlaced;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_DDESHARE, length + 1);
    if (block == nullptr) {
        result = kCopyNoMemory;
    } else {
        char* bytes = static_cast<char*>(GlobalLock(block));
        if (bytes == nullptr) {
            result = kCopyNotPlaced;
        } else {
            for (SIZE_T i = 0; i <= length; ++i) bytes[i] = text[i];
            // Unlocking the last lock returns zero on success too, so its
            // result says nothing useful.
            (void)GlobalUnlock(block);
            if (SetClipboardData(CF_TEXT, block) == nullptr) result = kCopyNotPlaced;
        }
        // The clipboard owns the block only once SetClipboardData took it.
        // Freeing cannot fail in a way this short-lived process could mend.
        if (result != kCopyPlaced) (void)GlobalFree(block);
    }

    // Closing can only fail if the clipboard is not ours, and it is; a
    // failure would leave nothing for this process to retry.
    (void)CloseClipboard();
    return result;
}
