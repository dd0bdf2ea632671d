// The board's HTTP server: cpp-httplib's reading of requests and its routes,
// on connections handled here, so that no client holds the board up: a
// request must come whole within a few seconds however slowly its bytes
// come, no request may be larger than the board reads, a connection waits
// only so long for its next request, and past a bound of connections served
// at once the rest are answered 503 as they come.
#pragma once

#include <httplib.h>

#include <cstddef>
#include <string>

struct ConnectionLimits {
    int connections = 256;        // served at once, each by a thread of its own
    double requestSeconds = 10;   // to send a whole request, however slowly
    std::size_t requestBytes = 0; // a request's headers and body together; 0: the largest body and 64 KiB
    double waitSeconds = 5;       // for the bytes of a request to go on coming, and for a kept-alive
                                  // connection's next request
    int requestsPerConnection = 1000;
};

class BoardServer : public httplib::Server {
  public:
    explicit BoardServer(ConnectionLimits limits);
    // Binds to the address and port (0: any free one), with a long queue of
    // connections waiting to be taken: the port, or -1 (errno set).
    int bind(const std::string& address, int port);

    // The request being answered is its connection's last (its body, or what
    // is left of it, is not read).
    static void lastOfItsConnection();

  private:
    bool process_and_close_socket(socket_t sock) override;

    ConnectionLimits limits_;
};
