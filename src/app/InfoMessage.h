// The program's one message to the user.
#pragma once

#include <string>

// Modal information box ("提示", OK and the information icon) owned by the application window.
void ShowInfoMessage(const std::string& text);
