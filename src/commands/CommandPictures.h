#pragma once

class QPainter;

// Telvaro's own pictures, drawn rather than taken from the desktop theme so
// that they look the same on every system. Each draws on a 16 x 16 grid; the
// command table says which command shows which.
namespace Pictures {
void New(QPainter& p);
void Open(QPainter& p);
void Save(QPainter& p);
void Print(QPainter& p);
void CopyAll(QPainter& p);
void Find(QPainter& p);
void AddNames(QPainter& p);
void ConstructNames(QPainter& p);
void SelectAll(QPainter& p);
void SelectRange(QPainter& p);
void UnselectAll(QPainter& p);
void DeleteSelected(QPainter& p);
void InvertSelection(QPainter& p);
void BrowseWebsite(QPainter& p);
void CheckAvailability(QPainter& p);
void LookupSelected(QPainter& p);
void StopAll(QPainter& p);
void SetupDomains(QPainter& p);
void MinimizeToTray(QPainter& p);
void ExportDatabase(QPainter& p);
void App(QPainter& p);
}
