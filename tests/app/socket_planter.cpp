// Another user's program in the single-instance test: listens on the given
// socket path, open to everyone, and says "connected" for each connection.
#include <QCoreApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 2;
    QLocalServer server;
    server.setSocketOptions(QLocalServer::WorldAccessOption);
    if (!server.listen(QString::fromLocal8Bit(argv[1])))
        return 1;
    QObject::connect(&server, &QLocalServer::newConnection, &server, [&server] {
        while (QLocalSocket *socket = server.nextPendingConnection()) {
            std::printf("connected\n");
            std::fflush(stdout);
            socket->deleteLater();
        }
    });
    std::printf("listening\n");
    std::fflush(stdout);
    return app.exec();
}
