// zykcore: transfer block and transfer file.
#include "core/transfer.h"

#include <cstring>

#include "platform/atomic_file.h"
#include "platform/byte_io.h"
#include "platform/program_dir.h"

namespace talpora {

std::string transferBytes(const Chart1& a, const Chart2& ca, const Chart1& b, const Chart2& cb) {
  ByteWriter w;
  w.raw(&a, sizeof a);
  w.raw(&ca, sizeof ca);
  w.raw(&b, sizeof b);
  w.raw(&cb, sizeof cb);
  return w.take();
}

int FillUpTalporaTransferBlock(TransferBlock& transfer, const CIni& settings, const Chart1& chartA,
                               const Chart2& computedA, const Chart1& chartB, const Chart2& computedB,
                               std::string* error) {
  // No memory handles cross process boundaries here: the block holds small tokens naming the
  // records' roles, and the receiver takes the records from the file.
  transfer = TransferBlock{1, 2, 3, 4, 5};
  const std::filesystem::path dir = programDirOf(settings);
  const auto result = replaceFileAtomically(dir / kTransferFileName,
                                            transferBytes(chartA, computedA, chartB, computedB));
  if (!result.ok) {
    if (error) *error = result.error;
    return 0;
  }
  return 1;
}

TransferCharts transferFromBytes(std::string_view bytes) {
  TransferCharts t;
  t.found = true;
  t.bytesRead = bytes.size() < kTransferFileSize ? bytes.size() : kTransferFileSize;
  // A record is taken only when the file holds it whole; otherwise it stays zeroed.
  auto take = [&](void* dst, std::size_t offset, std::size_t size) {
    if (bytes.size() >= offset + size) {
      std::memcpy(dst, bytes.data() + offset, size);
    } else {
      std::memset(dst, 0, size);
    }
  };
  take(&t.chartA, 0, sizeof(Chart1));
  take(&t.computedA, 336, sizeof(Chart2));
  take(&t.chartB, 880, sizeof(Chart1));
  take(&t.computedB, 1216, sizeof(Chart2));
  // Texts read from a file are forced to terminate inside their fields.
  for (Chart1* c : {&t.chartA, &t.chartB}) {
    c->place[24] = c->name[24] = c->typeText[24] = '\0';
    c->comment[199] = '\0';
  }
  return t;
}

TransferCharts readTransferFile(const std::filesystem::path& programDir) {
  const auto bytes = readFileRange(findCaseInsensitive(programDir, kTransferFileName), 0, kTransferFileSize);
  if (!bytes) {
    TransferCharts t;
    zeroRecord(t.chartA);
    zeroRecord(t.computedA);
    zeroRecord(t.chartB);
    zeroRecord(t.computedB);
    return t;
  }
  return transferFromBytes(*bytes);
}

}  // namespace talpora
