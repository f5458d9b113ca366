// qt: texts across the boundary between the suite and Qt.
#include "qt/qt_text.h"

#include <QFile>

#include "platform/cp1252.h"

namespace talpora::qt {

QString toQt(std::string_view cp1252) {
  return QString::fromStdString(cp1252ToUtf8(cp1252));
}

std::string fromQt(const QString& s) {
  return utf8ToCp1252(s.toStdString());
}

QString crlfToQt(std::string_view cp1252) {
  QString s = toQt(cp1252);
  s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return s;
}

std::string qtToCrlf(const QString& s) {
  QString t = s;
  t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  t.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  return fromQt(t);
}

QString withoutMnemonics(std::string_view cp1252) {
  const QString s = toQt(cp1252);
  QString out;
  out.reserve(s.size());
  for (qsizetype i = 0; i < s.size(); ++i) {
    if (s[i] == QLatin1Char('&') && i + 1 < s.size()) {
      ++i;  // "&&" keeps one ampersand, "&x" keeps the x
    }
    out += s[i];
  }
  return out;
}

QString fromPath(const std::filesystem::path& p) {
  return QFile::decodeName(QByteArray::fromStdString(p.string()));
}

std::filesystem::path toPath(const QString& s) {
  return std::filesystem::path(QFile::encodeName(s).toStdString());
}

}  // namespace talpora::qt
