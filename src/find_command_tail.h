#pragma once

// Returns the position in a raw command line where the caller's text begins:
// past the program's own name (quoted or not) and the blanks that follow it.
// The line is only read; the result points into it, at its NUL when there is
// no text. Quoted names are scanned with the active ANSI code page's lead
// bytes, so a double-byte character never ends the name half way.
const char* FindCommandTail(const char* commandLine);
