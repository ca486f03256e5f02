// The creator's offer of a newer version: the request to the maker's web
// server (or the one an organisation configured) and the questions and
// notices that follow from its answer.
#pragma once

#include <windows.h>

#include <optional>

#include "shared/HttpClient.h"

// The server asked for newer versions: ours, or the one an organisation set
// under the preferences key as "UpdateServer". Nothing when that value
// cannot be used: then no request is made at all.
std::optional<TServerAddress> UpdateServer();

// Asks the server for a newer version and offers it; with interactive, "no
// update" and failures are told too. The owner window keeps painting while
// the request runs but takes no input; it is enabled again afterwards, also
// when the request raises an error.
void OfferNewVersion(HWND owner, bool interactive);
