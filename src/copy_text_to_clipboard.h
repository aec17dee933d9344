#pragma once

// What a run ends with; the entry makes it the process's exit status.
enum CopyResult : int {
    kCopyPlaced = 0,          // the text is on the clipboard as CF_TEXT
    kCopyEmptyText = -1,      // no text: the usage notice was shown, clipboard untouched
    kCopyClipboardBusy = -2,  // the clipboard could not be opened, clipboard untouched
    kCopyNoMemory = -3,       // no block for the text, clipboard left empty
    kCopyNotPlaced = -4,      // the block could not be filled or handed over, clipboard left empty
};

inline constexpr char kUsageCaption[] = "Informazioni";

inline constexpr char kUsageText[] =
    "Uso:\r\n\r\n  appuntex  <testo da copiare negli appunti>\r\n\r\n\r\n"
    "appuntex - copia il testo negli appunti\r\n"
    "\r\n"
    "https://appuntex.example.org\r\n"
    "email: appuntex@example.org";

// Makes the text (NUL-terminated, in the active ANSI code page) the only
// content of the clipboard, as CF_TEXT, byte for byte. An empty text shows
// the usage notice instead and leaves the clipboard alone.
int CopyTextToClipboard(const char* text);
