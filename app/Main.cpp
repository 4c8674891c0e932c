// app/Main.cpp
//
// The program's entry: the one application object, made by the first static initialiser,
// and the start that runs it.
#include <windows.h>

#include "app/BrakvaneApp.h"

static CBrakvaneApp g_theApp;

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) { return mfc::AfxWinMain(instance); }
