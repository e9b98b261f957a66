// The operations that the main window's commands start. Each lives with the
// part of the program that carries it out; the ones not written yet do
// nothing (see pendingoperations.cpp).
#pragma once

#include <windows.h>

// Batches over the lists' selections. Delete and remove report whether
// anything was done: nothing selected or the question declined means the
// status needs no refresh.
void InstallSelectedFiles(HWND mainWindow);
void InstallDroppedFiles(HWND mainWindow, HDROP drop);
bool RemoveSelectedFonts(HWND mainWindow);
void CopySelectedFonts(HWND mainWindow);
bool DeleteSelectedFiles(HWND mainWindow);
void RenameSelectedFiles(HWND mainWindow);
void ChangeSelectedFontNames(HWND mainWindow);

// Sample sheets of a list's selection: fileList 0 for installed fonts, 1
// for font files.
void PrintSampleSheet(HWND list, int fileList);

// The sample window of an installed font (its row) or of a font file.
void ShowInstalledFontSample(HWND mainWindow, int row);
void ShowFileSample(HWND mainWindow, const char* fileName);

// The Setup sheet; true when a change needs the lists drawn anew.
bool RunSetupSheet(HWND owner);

void ShowAboutBox(HWND owner);
void ShowSystemInformation(HWND owner);
void ShowManual(HWND owner);
