#include "link/frames.h"

namespace zeb {

QByteArray CommandFrame(const QByteArray& code, quint8 seqNo) {
    QByteArray frame(5, '\0');
    quint8 check = seqNo;
    for (int i = 0; i < 4 && i < code.size(); ++i) {
        frame[i] = code[i];
        check ^= static_cast<quint8>(code[i]);
    }
    frame[4] = static_cast<char>(check);
    return frame;
}

QByteArray MoveCode(quint8 command, int n) {
    const int count = n - 1;
    QByteArray code(4, '\0');
    code[0] = '\x1B';
    code[1] = static_cast<char>(command);
    code[2] = static_cast<char>((count >> 8) & 0xFF);
    code[3] = static_cast<char>(count & 0xFF);
    return code;
}

namespace {
int DotValue(char c) {
    return c >= '1' && c <= '4' ? c - '0' : 0;
}
} // namespace

QByteArray PackLine(const QByteArray& digits) {
    const qsizetype padded = (digits.size() + 7) / 8 * 8;
    QByteArray packed(padded / 2, '\0');
    for (qsizetype i = 0; i < digits.size(); ++i) {
        const int shift = i % 2 == 0 ? 4 : 0;
        packed[i / 2] =
            static_cast<char>(static_cast<quint8>(packed[i / 2]) | (DotValue(digits[i]) << shift));
    }
    return packed;
}

QString LogHex(int value) {
    return QString::number(value, 16).toUpper();
}

} // namespace zeb
