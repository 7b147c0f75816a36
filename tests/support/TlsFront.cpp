// SPDX-License-Identifier: GPL-3.0-or-later

#include "TlsFront.h"

TlsFront::TlsFront(quint16 backendPort)
    : server(QStringLiteral("tls_front.py"),
             {QStringLiteral("--backend-port"), QString::number(backendPort), QStringLiteral("--dir"), folder.path()},
             folder.path())
{
}

QByteArray TlsFront::endpoint() const
{
    return "https://127.0.0.1:" + QByteArray::number(server.port()) + "/translate_a/single";
}
