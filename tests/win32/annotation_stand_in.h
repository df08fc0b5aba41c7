#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <oleacc.h>

// The system's annotation service as the program's window code meets it in
// this process: it records what the window annotates, so that a test reads
// back the properties a screen reader's UI Automation would get.
namespace annotation_stand_in {

struct Annotation {
    HWND hwnd;
    DWORD object, child;
    GUID property;
    VARIANT value;
};

// Stands in for CLSID_AccPropServices on this thread until Stop.
bool Start();
// How many annotations were made since Start; each is Recorded(i).
int Stop();
const Annotation& Recorded(int i);

}  // namespace annotation_stand_in
