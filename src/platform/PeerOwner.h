#pragma once

#include <optional>

class QAbstractSocket;

// Who is at the other end of a TCP connection made from this machine. The kernel's socket tables
// (/proc/net/tcp, and /proc/net/tcp6 for a client that reached us through an IPv4-mapped address)
// list the peer's socket with its owner's user id: the row whose local end is the connection's
// peer and whose remote end is our side of it.

// The user id owning the peer's socket, or nothing when no such row is visible (a peer on
// another machine or in another network namespace, or one that has gone).
std::optional<unsigned> PeerOwner(const QAbstractSocket& connection);

// The peer's socket belongs to the user this process runs as. An owner that cannot be found
// counts as a stranger.
bool PeerIsOurUser(const QAbstractSocket& connection);
