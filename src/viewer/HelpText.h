// The help window's text, as rich text for the help label.
#pragma once

#include <string>

const std::string& HelpRtf();
