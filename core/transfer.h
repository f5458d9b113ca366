// zykcore: the transfer block and the transfer file "DATA10.DTF" through which one program hands its
// current charts (A, and B for two-chart work) to another it starts.
#pragma once
#include <filesystem>
#include <string>

#include "core/records.h"

namespace talpora {

inline constexpr const char* kTransferFileName = "DATA10.DTF";
inline constexpr std::size_t kTransferFileSize = 1760;

// The four records, byte for byte (padding included), in file order.
std::string transferBytes(const Chart1& a, const Chart2& ca, const Chart1& b, const Chart2& cb);

// Stores the handles and writes "DATA10.DTF" into the settings' program directory (written beside
// and renamed, so a reader never sees half a file). 1 written; 0 failed, with the reason in `error`.
int FillUpTalporaTransferBlock(TransferBlock& transfer, const CIni& settings, const Chart1& chartA,
                               const Chart2& computedA, const Chart1& chartB, const Chart2& computedB,
                               std::string* error = nullptr);

struct TransferCharts {
  Chart1 chartA;
  Chart2 computedA;
  Chart1 chartB;
  Chart2 computedB;
  std::size_t bytesRead = 0;  // what the file held (at most 1760)
  bool found = false;         // the file could be opened
  // Chart A complete (880 bytes) / chart B complete (1760 bytes).
  bool hasA() const { return bytesRead >= 880; }
  bool hasB() const { return bytesRead >= kTransferFileSize; }
};

// Reads the transfer file of a directory. Records the file does not hold in full are zeroed; nothing
// beyond the end of the file is read.
TransferCharts readTransferFile(const std::filesystem::path& programDir);
TransferCharts transferFromBytes(std::string_view bytes);

}  // namespace talpora
