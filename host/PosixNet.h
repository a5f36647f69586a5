// POSIX sockets and name service behind declarations free of POSIX types,
// for host/Winsock.cpp: the Windows Sockets names and the POSIX ones cannot
// meet in one file. Internal to host/.
//
// Calls that fail return -1 and leave the reason in errno. Addresses and
// ports are in network byte order.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace posixnet {

using Address = std::array<std::uint8_t, 4>;

// A close-on-exec IPv4 TCP socket.
int OpenTcp();
int SetNonBlocking(int fd, bool on);
int Connect(int fd, std::uint32_t address, std::uint16_t port);
// Whether the socket has a peer (its connect has completed).
bool HasPeer(int fd);
// The socket's pending error (an errno value, 0 for none), which the query
// clears.
int TakePendingError(int fd, int* error);

// Readiness as select reports it: a socket with an error or at its end is
// readable, one with an error is also writable; urgent data is exceptional.
struct PollEntry {
    int fd;
    bool wantRead, wantWrite, wantExcept;
    bool readable, writable, exceptional;
};
// Waits up to timeoutMs (-1: no limit); returns the number of entries with
// any wanted readiness. An entry that is not an open descriptor fails the
// call with EBADF.
int Poll(PollEntry* entries, std::size_t count, int timeoutMs);

// Never raises SIGPIPE: a send on a connection the peer closed fails.
std::ptrdiff_t Send(int fd, const void* data, std::size_t length);
std::ptrdiff_t Receive(int fd, void* data, std::size_t length);
// how: 0 receiving, 1 sending, 2 both.
int Shutdown(int fd, int how);
int Close(int fd);

// Dotted text (the inet_addr forms) to an address; 0xFFFFFFFF when invalid.
std::uint32_t ParseAddress(const char* text);
// The system's resolver, IPv4 only. False when the host is unknown.
bool ResolveName(const char* name, std::string* officialName, std::vector<Address>* addresses);
bool ResolveAddress(const Address& address, std::string* name);

}  // namespace posixnet
