#include "viewer/HelpText.h"

// Base font Segoe UI 9 pt (half-points: 18); the double-quoted folder name and
// each switch in Courier New; "Note" bold; "Warning:" underlined. Spaces in
// rich text are literal, so the doubled spaces stand as they are shown.
const std::string& HelpRtf() {
  static const std::string rtf =
      "{\\rtf1\\ansi\\ansicpg1252\\deff0"
      "{\\fonttbl{\\f0\\fswiss\\fcharset0 Segoe UI;}{\\f1\\fmodern\\fcharset0 Courier New;}}"
      "\\pard\\f0\\fs18 "
      "{\\b Note}: This app must have a folder location as its first command line parameter.  "
      "Please use Heapmaker.exe to create a proper stack.\\par\n"
      "\\par\n"
      "Valid command-line parameters are:\\par\n"
      "    {\\f1 \"Folder Name\"}  The folder to use for the stack.  Use quotes.\\par\n"
      "    [{\\f1 /grid} | {\\f1 /menu}]  -- Displays icons as a vertical stack (if left blank), "
      "as a square-ish grid, or as a cascading menu.\\par\n"
      "    [{\\f1 /noexplore}] -- Do not display \"Explore\" option at the end of the stack.\\par\n"
      "    [{\\f1 /nobrowse}] -- Do not allow the stack to enter subfolders.  Explore them instead.\\par\n"
      "    [{\\f1 /hideext}] -- Hide file extensions.\\par\n"
      "    [{\\f1 /thumbs}] -- Display thumbnails of BMP, GIF, JPG, and PNG files instead of icons.  "
      "{\\ul Warning:} This can be slow.\\par\n"
      "    [{\\f1 /clear}] -- Do not \"glossify\" the window. Have it appear transparent instead."
      "}";
  return rtf;
}
