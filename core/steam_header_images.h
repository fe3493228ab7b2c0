#pragma once
// Header pictures of Steam games, fetched from the store's image server into the picture
// folder of the data store, one "<appid>.jpg" per game.
#include <QString>

class SteamHeaderImages {
public:
    // serverBase: the image server's address; TALVORIN_STEAM_IMAGE_SERVER overrides the
    // built-in one (fromEnvironment).
    explicit SteamHeaderImages(const QString& serverBase);
    static SteamHeaderImages fromEnvironment();

    QString imageUrl(const QString& appId) const;
    // Fetches the game's header picture to imagePath. The picture appears whole or not at all,
    // so a cut-off transfer is fetched again by the next scan. Once the server could not be
    // reached, later calls give up at once: a scan of many games would otherwise wait out a
    // connection time-out per game on a machine without network.
    bool fetch(const QString& appId, const QString& imagePath);

private:
    QString m_serverBase;
    bool m_serverUnreachable = false;
};
