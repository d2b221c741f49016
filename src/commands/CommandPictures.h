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
// Menu items that have no toolbar button of their own.
void SaveAs(QPainter& p);
void PrintPreview(QPainter& p);
void PrintSetup(QPainter& p);
void Exit(QPainter& p);
void CopySelected(QPainter& p);
void DeleteAll(QPainter& p);
void Refresh(QPainter& p);
void TrademarkLookup(QPainter& p);
void AutoTrademarkLookup(QPainter& p);
void CheckTrademark(QPainter& p);
void TrademarkAllSelected(QPainter& p);
// The notification-area icon while lookups run: frame 0 to kBusyFrames - 1.
inline constexpr int kBusyFrames = 6;
void Busy(QPainter& p, int frame);
}
