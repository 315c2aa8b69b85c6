// The news module: Qt Network and the libraries it brings (Kerberos, proxy look-up) load only
// when the player opens the news, instead of with the program.
#include "news/NetworkPageFetcher.h"

#include <QtGlobal>

extern "C" Q_DECL_EXPORT PageFetcher* quorvelCreatePageFetcher() {
    return new NetworkPageFetcher;
}
