#include "export/HtmlEscape.h"

void AppendHtmlEscaped(QByteArray& out, QByteArrayView text)
{
    qsizetype plain = 0;   // start of the run not yet copied
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char* entity = nullptr;
        switch (text[i]) {
        case '&':
            entity = "&amp;";
            break;
        case '<':
            entity = "&lt;";
            break;
        case '>':
            entity = "&gt;";
            break;
        case '"':
            entity = "&quot;";
            break;
        default:
            continue;
        }
        out.append(text.sliced(plain, i - plain));
        out.append(entity);
        plain = i + 1;
    }
    out.append(text.sliced(plain));
}
