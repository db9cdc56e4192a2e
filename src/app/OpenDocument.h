// Opens a document or web address with its default program.
#pragma once

#include <string>

// Everything up to and including the last "\" or ":" ("" when there is none).
std::string DocumentDirectory(const std::string& fileName);

// True when the shell started something.
bool OpenDocument(const std::string& fileName, const std::string& parameters);
