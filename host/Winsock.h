// Windows Sockets 2: the IPv4 TCP client calls the game makes, with the
// platform's types, constants and error numbers.
//
// The names are declared in namespace `winsock` because POSIX uses the same
// spellings (socket, connect, fd_set, AF_INET, ...) with other types and
// values, several of them as macros; callers write `winsock::connect(...)`.
// Failing calls return SOCKET_ERROR (or INVALID_SOCKET, or null) and record
// the platform's error number, read back with GetLastError (host/LastError.h).
// Nothing here raises SIGPIPE.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "host/WinTypes.h"

namespace winsock {

using SOCKET = std::uint32_t;
using u_short = std::uint16_t;
using u_long = std::uint32_t;  // long is 32-bit on the phone

constexpr SOCKET INVALID_SOCKET = 0xFFFFFFFFu;
constexpr int SOCKET_ERROR = -1;

constexpr int AF_INET = 2;
constexpr int SOCK_STREAM = 1;
constexpr int IPPROTO_TCP = 6;
constexpr int SOL_SOCKET = 0xFFFF;
constexpr int SO_ERROR = 0x1007;
constexpr std::int32_t FIONBIO = static_cast<std::int32_t>(0x8004667Eu);
constexpr int SD_RECEIVE = 0;
constexpr int SD_SEND = 1;
constexpr int SD_BOTH = 2;
constexpr u_long INADDR_NONE = 0xFFFFFFFFu;

// Error numbers.
constexpr int WSAEINTR = 10004;
constexpr int WSAEACCES = 10013;
constexpr int WSAEFAULT = 10014;
constexpr int WSAEINVAL = 10022;
constexpr int WSAEMFILE = 10024;
constexpr int WSAEWOULDBLOCK = 10035;  // also "in progress": a non-blocking connect under way
constexpr int WSAEALREADY = 10037;
constexpr int WSAENOTSOCK = 10038;
constexpr int WSAEMSGSIZE = 10040;
constexpr int WSAENOPROTOOPT = 10042;
constexpr int WSAEPROTONOSUPPORT = 10043;
constexpr int WSAESOCKTNOSUPPORT = 10044;
constexpr int WSAEOPNOTSUPP = 10045;
constexpr int WSAEAFNOSUPPORT = 10047;
constexpr int WSAEADDRINUSE = 10048;
constexpr int WSAEADDRNOTAVAIL = 10049;
constexpr int WSAENETDOWN = 10050;
constexpr int WSAENETUNREACH = 10051;
constexpr int WSAENETRESET = 10052;
constexpr int WSAECONNABORTED = 10053;
constexpr int WSAECONNRESET = 10054;
constexpr int WSAENOBUFS = 10055;
constexpr int WSAEISCONN = 10056;
constexpr int WSAENOTCONN = 10057;
constexpr int WSAESHUTDOWN = 10058;
constexpr int WSAETIMEDOUT = 10060;
constexpr int WSAECONNREFUSED = 10061;
constexpr int WSAEHOSTUNREACH = 10065;
constexpr int WSAVERNOTSUPPORTED = 10092;
constexpr int WSANOTINITIALISED = 10093;
constexpr int WSASYSCALLFAILURE = 10107;
constexpr int WSAHOST_NOT_FOUND = 11001;

constexpr WORD MAKEWORD(BYTE low, BYTE high) { return static_cast<WORD>(low | (high << 8)); }

struct WSADATA {
    WORD wVersion;
    WORD wHighVersion;
    char szDescription[257];
    char szSystemStatus[129];
    unsigned short iMaxSockets;
    unsigned short iMaxUdpDg;
    char* lpVendorInfo;
};

// An IPv4 address in network byte order.
struct in_addr {
    u_long s_addr;
};

struct sockaddr {
    u_short sa_family;
    char sa_data[14];
};

struct sockaddr_in {
    short sin_family;
    u_short sin_port;  // network byte order
    in_addr sin_addr;
    char sin_zero[8];
};

struct hostent {
    char* h_name;
    char** h_aliases;
    short h_addrtype;
    short h_length;
    char** h_addr_list;  // null-terminated list of h_length-byte addresses
};

struct timeval {
    std::int32_t tv_sec;
    std::int32_t tv_usec;
};

// On return from select a set holds only the sockets that are ready. The
// platform's capacity, FD_SETSIZE, is a macro of another value in POSIX and
// is not declared here.
struct fd_set {
    UINT fd_count;
    SOCKET fd_array[64];
};

int WSAStartup(WORD versionRequested, WSADATA* data);
int WSACleanup();

// The entry lives until this thread's next resolver call.
hostent* gethostbyname(const char* name);
hostent* gethostbyaddr(const char* address, int length, int type);
// Dotted text to an address in network byte order; INADDR_NONE when invalid.
u_long inet_addr(const char* text);
u_short htons(u_short value);
u_long htonl(u_long value);
u_short ntohs(u_short value);

SOCKET socket(int family, int type, int protocol);
int ioctlsocket(SOCKET s, std::int32_t command, u_long* argument);
int connect(SOCKET s, const sockaddr* name, int nameLength);
// nfds is ignored; a null timeout waits without limit.
int select(int nfds, fd_set* readSet, fd_set* writeSet, fd_set* exceptSet, const timeval* timeout);
int getsockopt(SOCKET s, int level, int option, char* value, int* valueLength);
int send(SOCKET s, const char* buffer, int length, int flags);
int recv(SOCKET s, char* buffer, int length, int flags);
int shutdown(SOCKET s, int how);
int closesocket(SOCKET s);

}  // namespace winsock

namespace host {

// One answer of the name service: the host's official name and its IPv4
// addresses (bytes in network order).
struct HostAnswer {
    std::string name;
    std::vector<std::array<std::uint8_t, 4>> addresses;
};

// Test hook: while set, gethostbyname and gethostbyaddr ask these instead of
// the system's resolver, so that no test asks a real name server. Each
// returns false for a host it does not know. Null restores the system's.
using NameResolver = std::function<bool(const std::string& name, HostAnswer* answer)>;
using AddressResolver = std::function<bool(const std::array<std::uint8_t, 4>& address, HostAnswer* answer)>;
void SetResolver(NameResolver byName, AddressResolver byAddress);

}  // namespace host
