<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="fr">
<context>
    <name>CalibrationPhases</name>
    <message>
        <source>- Positionnez la boussole vers le SUD :</source>
        <translation>- Point the compass to the SOUTH:</translation>
    </message>
    <message>
        <source>Boussole dirigée vers le SUD</source>
        <translation>Compass pointing SOUTH</translation>
    </message>
    <message>
        <source>- Positionnez la boussole vers l&apos;EST :</source>
        <translation>- Point the compass to the EAST:</translation>
    </message>
    <message>
        <source>Boussole dirigée vers l&apos;EST</source>
        <translation>Compass pointing EAST</translation>
    </message>
    <message>
        <source>- Positionnez la boussole vers le NORD :</source>
        <translation>- Point the compass to the NORTH:</translation>
    </message>
    <message>
        <source>Boussole dirigée vers le NORD</source>
        <translation>Compass pointing NORTH</translation>
    </message>
    <message>
        <source>- Positionnez la boussole vers l&apos;OUEST :</source>
        <translation>- Point the compass to the WEST:</translation>
    </message>
    <message>
        <source>Boussole dirigée vers l&apos;OUEST</source>
        <translation>Compass pointing WEST</translation>
    </message>
</context>
<context>
    <name>Canvas</name>
    <message>
        <source>écriture impossible</source>
        <translation>cannot write</translation>
    </message>
</context>
<context>
    <name>CardWiring</name>
    <message>
        <source>sortie</source>
        <translation>output</translation>
    </message>
    <message>
        <source>la sortie du cap (NMEA)</source>
        <translation>the heading output (NMEA)</translation>
    </message>
    <message>
        <source>journal</source>
        <translation>log</translation>
    </message>
    <message>
        <source>le journal du cap</source>
        <translation>the heading log</translation>
    </message>
    <message>
        <source>affichage</source>
        <translation>display</translation>
    </message>
    <message>
        <source>le cap affiché</source>
        <translation>the heading shown</translation>
    </message>
    <message>
        <source>Dév. : %1</source>
        <translation>Dev: %1</translation>
    </message>
    <message>
        <source>La carte de déviation est appliquée à : %1</source>
        <translation>The deviation card is applied to: %1</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>COM1 et COM2 ouvrent une boussole simulée au lieu d&apos;un port série.</source>
        <translation>COM1 and COM2 open a simulated compass instead of a serial port.</translation>
    </message>
    <message>
        <source>Dossier d&apos;installation à utiliser (par défaut %1).</source>
        <translation>Installation folder to use (by default %1).</translation>
    </message>
    <message>
        <source>Enregistre dans FILE (- : la sortie d&apos;erreur) tout ce qui passe sur la ligne série.</source>
        <translation>Writes everything that goes over the serial line to FILE (-: standard error).</translation>
    </message>
    <message>
        <source>Enregistre dans FILE (CSV) chaque mesure reçue, dès le début de la communication.</source>
        <translation>Writes every reading received to FILE (CSV), from the start of the link.</translation>
    </message>
    <message>
        <source>La boussole simulée rejoue le journal du cap FILE à son rythme (implique --simulate).</source>
        <translation>The simulated compass plays back the heading log FILE at the pace it was recorded (implies --simulate).</translation>
    </message>
    <message>
        <source>Affiche les périphériques série présents (chemin, nœud, description) et s&apos;arrête.</source>
        <translation>Lists the serial devices present (path, node, description) and exits.</translation>
    </message>
    <message>
        <source>Affiche cette aide et s&apos;arrête.</source>
        <translation>Prints this help and exits.</translation>
    </message>
    <message>
        <source>Affiche la version et s&apos;arrête.</source>
        <translation>Prints the version and exits.</translation>
    </message>
    <message>
        <source>Ventrose : boussole électronique RS-232 (COM1 ou COM2).</source>
        <translation>Ventrose: RS-232 electronic compass (COM1 or COM2).</translation>
    </message>
    <message>
        <source>l&apos;option %1 est donnée deux fois</source>
        <translation>the option %1 is given twice</translation>
    </message>
    <message>
        <source>l&apos;option %1 ne prend pas de valeur</source>
        <translation>the option %1 takes no value</translation>
    </message>
    <message>
        <source>il manque la valeur %1 de l&apos;option %2</source>
        <translation>missing value %1 for the option %2</translation>
    </message>
    <message>
        <source>la valeur %1 de l&apos;option %2 est vide</source>
        <translation>empty value %1 for the option %2</translation>
    </message>
    <message>
        <source>ventrose : impossible d&apos;écrire sur la sortie standard : %1.</source>
        <translation>ventrose: cannot write to standard output: %1.</translation>
    </message>
    <message>
        <source>Utilisation : ventrose [options]</source>
        <translation>Usage: ventrose [options]</translation>
    </message>
    <message>
        <source>Options :</source>
        <translation>Options:</translation>
    </message>
    <message>
        <source>ventrose : %1.
Essayez « ventrose --help » pour la liste des options.</source>
        <translation>ventrose: %1.
Try “ventrose --help” for the list of options.</translation>
    </message>
    <message>
        <source>Affiche la déclinaison magnétique du modèle WMM2025 en ce lieu (degrés décimaux, ou degrés et minutes avec N, S, E ou O) à cette date (aujourd&apos;hui par défaut) : en degrés, positive à l&apos;est, suivie de son incertitude ; puis s&apos;arrête.</source>
        <translation>Prints the magnetic declination of the WMM2025 model at this place (decimal degrees, or degrees and minutes with N, S, E or W) on this date (today by default): in degrees, positive to the east, followed by its uncertainty; and exits.</translation>
    </message>
    <message>
        <source>Avec --declination : la hauteur en km au-dessus de l&apos;ellipsoïde WGS84 (0 par défaut).</source>
        <translation>With --declination: the height in km above the WGS84 ellipsoid (0 by default).</translation>
    </message>
    <message>
        <source>Partage le cap en NMEA 0183 pour cette exécution : udp:HÔTE:PORT, tcp:[ADRESSE:]PORT ou pty (option répétable).</source>
        <translation>Shares the heading as NMEA 0183 sentences for this run: udp:HOST:PORT, tcp:[ADDRESS:]PORT or pty (may be repeated).</translation>
    </message>
    <message>
        <source>la valeur %1 de l&apos;option --nmea ne convient pas : %2</source>
        <translation>invalid value %1 for the option --nmea: %2</translation>
    </message>
    <message>
        <source>Ajoute le cap vrai (HDT) : la déclinaison réglée est celle du lieu.</source>
        <translation>Adds the true heading (HDT); the declination set must be the local one.</translation>
    </message>
    <message>
        <source>option inconnue %1</source>
        <translation>unknown option %1</translation>
    </message>
    <message>
        <source>argument inattendu %1</source>
        <translation>unexpected argument %1</translation>
    </message>
    <message>
        <source>l&apos;option --altitude ne sert qu&apos;avec --declination</source>
        <translation>the option --altitude can only be used with --declination</translation>
    </message>
    <message>
        <source>Avec --declination : donne aussi la valeur d&apos;une date hors de la période de validité du modèle (2025 à 2029), qui n&apos;est qu&apos;une extrapolation.</source>
        <translation>With --declination: also gives the value for a date outside the model&apos;s validity period (2025 to 2029), which is only an extrapolation.</translation>
    </message>
    <message>
        <source>l&apos;option --extrapolate ne sert qu&apos;avec --declination</source>
        <translation>the option --extrapolate can only be used with --declination</translation>
    </message>
    <message>
        <source>%1 n&apos;est pas un dossier</source>
        <translation>%1 is not a folder</translation>
    </message>
    <message>
        <source>le dossier %1 n&apos;existe pas et son nom n&apos;est pas du texte dans le codage des caractères de la langue : il ne peut pas être créé sous ce nom</source>
        <translation>the folder %1 does not exist and its name is not text in the locale&apos;s character encoding: it cannot be created under that name</translation>
    </message>
    <message>
        <source>LAT LON [AAAA-MM-JJ]</source>
        <translation>LAT LON [YYYY-MM-DD]</translation>
    </message>
    <message>
        <source>Lit les points d&apos;une régulation du compas dans FILE (CSV d&apos;en-tête compass,magnetic : cap compas et cap magnétique en degrés), affiche les coefficients A à E de la déviation (degrés, positive à l&apos;est), l&apos;écart quadratique moyen des points, puis la table de déviation de 15° en 15° (cap compas, déviation, cap magnétique) ; puis s&apos;arrête.</source>
        <translation>Reads the points of a compass swing from FILE (CSV with the header compass,magnetic: compass heading and magnetic heading in degrees), prints the deviation coefficients A to E (degrees, east positive), the root mean square of the points&apos; residuals, then the deviation card every 15° (compass heading, deviation, magnetic heading), and exits.</translation>
    </message>
    <message>
        <source>les options --%1 et --%2 ne vont pas ensemble</source>
        <translation>the options --%1 and --%2 cannot be used together</translation>
    </message>
    <message>
        <source>La boussole simulée lit avec cette déviation (degrés, positive à l&apos;est) : A + B sin θ + C cos θ + D sin 2θ + E cos 2θ, θ son cap (implique --simulate).</source>
        <translation>The simulated compass reads with this deviation (degrees, east positive): A + B sin θ + C cos θ + D sin 2θ + E cos 2θ, θ its heading (implies --simulate).</translation>
    </message>
    <message>
        <source>l&apos;option --simulate-deviation ne s&apos;applique pas au journal rejoué par --replay</source>
        <translation>the option --simulate-deviation does not apply to the log played back by --replay</translation>
    </message>
    <message>
        <source>la langue %1 n&apos;est ni %2</source>
        <translation>the language %1 is neither %2</translation>
    </message>
    <message>
        <source>%1 ni %2</source>
        <translation>%1 nor %2</translation>
    </message>
    <message>
        <source>Langue des textes : %2 (par défaut, celle de la locale).</source>
        <translation>Interface language: %2 (by default, the locale&apos;s).</translation>
    </message>
    <message>
        <source>%1 ou %2</source>
        <translation>%1 or %2</translation>
    </message>
</context>
<context>
    <name>Coordinates</name>
    <message>
        <source>la latitude manque</source>
        <translation>the latitude is missing</translation>
    </message>
    <message>
        <source>la longitude manque</source>
        <translation>the longitude is missing</translation>
    </message>
    <message>
        <source>la latitude s&apos;écrit en degrés décimaux (48.8566, -33.86) ou en degrés et minutes (48 51.4 N, 48°51&apos;24&quot; N)</source>
        <translation>the latitude is written in decimal degrees (48.8566, -33.86) or in degrees and minutes (48 51.4 N, 48°51&apos;24&quot; N)</translation>
    </message>
    <message>
        <source>la longitude s&apos;écrit en degrés décimaux (2.3522, -0.57) ou en degrés et minutes (2 21.1 E, 0°34&apos; O)</source>
        <translation>the longitude is written in decimal degrees (2.3522, -0.57) or in degrees and minutes (2 21.1 E, 0°34&apos; W)</translation>
    </message>
    <message>
        <source>un signe et une lettre N ou S à la fois : gardez l&apos;un des deux</source>
        <translation>both a sign and a letter N or S: keep only one</translation>
    </message>
    <message>
        <source>un signe et une lettre E, W ou O à la fois : gardez l&apos;un des deux</source>
        <translation>both a sign and a letter E or W: keep only one</translation>
    </message>
    <message>
        <source>les minutes et les secondes vont de 0 à 59</source>
        <translation>minutes and seconds range from 0 to 59</translation>
    </message>
    <message>
        <source>la latitude va de 90° S à 90° N</source>
        <translation>the latitude ranges from 90° S to 90° N</translation>
    </message>
    <message>
        <source>la longitude va de 180° O à 180° E</source>
        <translation>the longitude ranges from 180° W to 180° E</translation>
    </message>
</context>
<context>
    <name>DeclinationCalculator</name>
    <message>
        <source>° EST</source>
        <translation>° EAST</translation>
    </message>
    <message>
        <source>° OUEST</source>
        <translation>° WEST</translation>
    </message>
    <message>
        <source>Degrés décimaux (%1) ou degrés et minutes</source>
        <translation>Decimal degrees (%1) or degrees and minutes</translation>
    </message>
    <message>
        <source> Calculer pour un lieu :</source>
        <translation> Compute for a place:</translation>
    </message>
    <message>
        <source>Latitude :</source>
        <translation>Latitude:</translation>
    </message>
    <message>
        <source>48.8566 ou 48 51.4 N</source>
        <translation>48.8566 or 48 51.4 N</translation>
    </message>
    <message>
        <source>Longitude :</source>
        <translation>Longitude:</translation>
    </message>
    <message>
        <source>2.3522 ou 2 21.1 E</source>
        <translation>2.3522 or 2 21.1 E</translation>
    </message>
    <message>
        <source>Date :</source>
        <translation>Date:</translation>
    </message>
    <message>
        <source>&amp;Calculer</source>
        <translation>&amp;Compute</translation>
    </message>
    <message>
        <source>A&amp;ppliquer</source>
        <translation>A&amp;pply</translation>
    </message>
    <message>
        <source>Aide du calcul de la déclinaison</source>
        <translation>Help on computing the declination</translation>
    </message>
    <message>
        <source>Latitude</source>
        <translation>Latitude</translation>
    </message>
    <message>
        <source>Longitude</source>
        <translation>Longitude</translation>
    </message>
    <message>
        <source>Déclinaison : %1 ± %2°</source>
        <translation>Declination: %1 ± %2°</translation>
    </message>
    <message>
        <source>Rien n&apos;est appliqué.</source>
        <translation>Nothing is applied.</translation>
    </message>
    <message>
        <source>
Appliquer : %1° %2, plage %3</source>
        <translation>
Apply: %1° %2, range %3</translation>
    </message>
    <message>
        <source>OUEST</source>
        <translation>WEST</translation>
    </message>
    <message>
        <source>EST</source>
        <translation>EAST</translation>
    </message>
    <message>
        <source>Le lieu n&apos;a pas pu être retenu dans %1.</source>
        <translation>The place could not be kept in %1.</translation>
    </message>
    <message>
        <source>Déclinaison extrapolée : %1</source>
        <translation>Extrapolated declination: %1</translation>
    </message>
    <message>
        <source>%1 : %2.</source>
        <translation>%1: %2.</translation>
    </message>
    <message>
        <source>Modèle WMM2025. Latitude géodésique (WGS84), altitude 0 sur l&apos;ellipsoïde.</source>
        <translation>WMM2025 model. Geodetic latitude (WGS84), height 0 on the ellipsoid.</translation>
    </message>
    <message>
        <source>Appliquer arrondit la valeur affichée au degré le plus proche, une moitié vers le haut.</source>
        <translation>Apply rounds the value shown to the nearest degree, halves up.</translation>
    </message>
    <message>
        <source>Elle dépasse %1° : le module en reçoit %1°, le partage du cap (NMEA 0183) la valeur du lieu.</source>
        <translation>It exceeds %1°: the module gets %1°, the heading output (NMEA 0183) the place&apos;s value.</translation>
    </message>
</context>
<context>
    <name>DeclinationCommand</name>
    <message>
        <source>latitude %1 incorrecte : %2</source>
        <translation>incorrect latitude %1: %2</translation>
    </message>
    <message>
        <source>longitude %1 incorrecte : %2</source>
        <translation>incorrect longitude %1: %2</translation>
    </message>
    <message>
        <source>date %1 incorrecte : écrivez AAAA-MM-JJ, par exemple 2026-12-07</source>
        <translation>incorrect date %1: write YYYY-MM-DD, for example 2026-12-07</translation>
    </message>
    <message>
        <source>altitude %1 incorrecte : un nombre de kilomètres est attendu</source>
        <translation>incorrect altitude %1: a number of kilometers is expected</translation>
    </message>
    <message>
        <source>altitude %1 hors du domaine du modèle (de -1 à 850 km au-dessus de l&apos;ellipsoïde)</source>
        <translation>altitude %1 outside the model&apos;s domain (from -1 to 850 km above the ellipsoid)</translation>
    </message>
    <message>
        <source>ventrose : attention : %1</source>
        <translation>ventrose: warning: %1</translation>
    </message>
    <message>
        <source>le %1 est hors de la période de validité du modèle WMM2025 (2025 à 2029) : la déclinaison n&apos;y serait qu&apos;une extrapolation, que l&apos;option --extrapolate demande</source>
        <translation>%1 is outside the validity period of the WMM2025 model (2025 to 2029): the declination would only be an extrapolation, which the option --extrapolate asks for</translation>
    </message>
</context>
<context>
    <name>DeviationCard</name>
    <message>
        <source>impossible d&apos;écrire %1 : %2</source>
        <translation>cannot write %1: %2</translation>
    </message>
    <message>
        <source>Cap compas (°)</source>
        <translation>Compass heading (°)</translation>
    </message>
    <message>
        <source>Déviation (°, est positive)</source>
        <translation>Deviation (°, east positive)</translation>
    </message>
    <message>
        <source>Courbe</source>
        <translation>Curve</translation>
    </message>
    <message>
        <source>Points</source>
        <translation>Points</translation>
    </message>
    <message>
        <source>Points aberrants</source>
        <translation>Outliers</translation>
    </message>
    <message>
        <source>Carte de déviation du compas</source>
        <translation>Compass deviation card</translation>
    </message>
    <message>
        <source>Date : %1</source>
        <translation>Date: %1</translation>
    </message>
    <message>
        <source>Lieu : %1</source>
        <translation>Place: %1</translation>
    </message>
    <message>
        <source>Déviation en degrés, est positive : cap magnétique = cap compas + déviation</source>
        <translation>Deviation in degrees, east positive: magnetic heading = compass heading + deviation</translation>
    </message>
    <message>
        <source>Cap compas</source>
        <translation>Compass</translation>
    </message>
    <message>
        <source>Déviation</source>
        <translation>Deviation</translation>
    </message>
    <message>
        <source>Cap magnétique</source>
        <translation>Magnetic</translation>
    </message>
</context>
<context>
    <name>DeviationCommand</name>
    <message>
        <source>le fichier de points %1 n&apos;existe pas</source>
        <translation>the points file %1 does not exist</translation>
    </message>
    <message>
        <source>%1 n&apos;est pas un fichier ordinaire : un dossier, un périphérique ou un tube n&apos;est pas lu</source>
        <translation>%1 is not a regular file: a folder, a device or a pipe is not read</translation>
    </message>
    <message>
        <source>le fichier %1 dépasse 1 Mio : ce n&apos;est pas un fichier de points de régulation</source>
        <translation>the file %1 is larger than 1 MiB: it is no file of swing points</translation>
    </message>
    <message>
        <source>impossible de lire %1 : %2</source>
        <translation>cannot read %1: %2</translation>
    </message>
    <message>
        <source>ventrose : %1.</source>
        <translation>ventrose: %1.</translation>
    </message>
    <message>
        <source>ventrose : attention : le point %1 (compas %2, magnétique %3) s&apos;écarte de %4° de la courbe, plus de trois fois l&apos;écart quadratique moyen : à vérifier ou à refaire</source>
        <translation>ventrose: warning: point %1 (compass %2, magnetic %3) lies %4° off the curve, more than three times the root mean square: check it or take it again</translation>
    </message>
    <message>
        <source>%1 : %2</source>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>Dialogs</name>
    <message>
        <source>&amp;Aide</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
</context>
<context>
    <name>Errors</name>
    <message>
        <source>&apos;%1&apos; n&apos;est pas une valeur entière correcte</source>
        <translation>&apos;%1&apos; is not a valid integer value</translation>
    </message>
    <message>
        <source>Impossible d&apos;ouvrir le fichier %1</source>
        <translation>Cannot open the file %1</translation>
    </message>
    <message>
        <source>Erreur d&apos;entrée/sortie sur le fichier %1 : %2</source>
        <translation>Input/output error on the file %1: %2</translation>
    </message>
    <message>
        <source>Impossible d&apos;ouvrir l&apos;AVI</source>
        <translation>Cannot open the AVI file</translation>
    </message>
    <message>
        <source>Une erreur inattendue s&apos;est produite.</source>
        <translation>An unexpected error occurred.</translation>
    </message>
</context>
<context>
    <name>EscapedText</name>
    <message>
        <source>« %1 »</source>
        <translation>“%1”</translation>
    </message>
</context>
<context>
    <name>Heading</name>
    <message>
        <source>Nord</source>
        <translation>North</translation>
    </message>
    <message>
        <source>Nord-Est</source>
        <translation>Northeast</translation>
    </message>
    <message>
        <source>Est</source>
        <translation>East</translation>
    </message>
    <message>
        <source>Sud-Est</source>
        <translation>Southeast</translation>
    </message>
    <message>
        <source>Sud</source>
        <translation>South</translation>
    </message>
    <message>
        <source>Sud-Ouest</source>
        <translation>Southwest</translation>
    </message>
    <message>
        <source>Ouest</source>
        <translation>West</translation>
    </message>
    <message>
        <source>Nord-Ouest</source>
        <translation>Northwest</translation>
    </message>
    <message>
        <source>Nord / Nord-Est</source>
        <translation>North-Northeast</translation>
    </message>
    <message>
        <source>Est / Nord-Est</source>
        <translation>East-Northeast</translation>
    </message>
    <message>
        <source>Est / Sud-Est</source>
        <translation>East-Southeast</translation>
    </message>
    <message>
        <source>Sud / Sud-Est</source>
        <translation>South-Southeast</translation>
    </message>
    <message>
        <source>Sud / Sud-Ouest</source>
        <translation>South-Southwest</translation>
    </message>
    <message>
        <source>Ouest / Sud-Ouest</source>
        <translation>West-Southwest</translation>
    </message>
    <message>
        <source>Ouest / Nord-Ouest</source>
        <translation>West-Northwest</translation>
    </message>
    <message>
        <source>Nord / Nord-Ouest</source>
        <translation>North-Northwest</translation>
    </message>
    <message>
        <source> DM: %1°</source>
        <translation> Decl: %1°</translation>
    </message>
    <message>
        <source> DM: %1%2°</source>
        <translation> Decl: %1%2°</translation>
    </message>
    <message>
        <source>Orientation aiguille rouge: %1°</source>
        <translation>Red needle bearing: %1°</translation>
    </message>
    <message>
        <source>Votre CAP: %1°</source>
        <translation>Your HEADING: %1°</translation>
    </message>
</context>
<context>
    <name>HeadingChart</name>
    <message>
        <source>Heure</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>CAP</source>
        <translation>HEADING</translation>
    </message>
</context>
<context>
    <name>HeadingLogWindow</name>
    <message>
        <source>Journal du cap</source>
        <translation>Heading log</translation>
    </message>
    <message>
        <source>1 minute</source>
        <translation>1 minute</translation>
    </message>
    <message>
        <source>%1 minutes</source>
        <translation>%1 minutes</translation>
    </message>
    <message>
        <source>Enregistrer</source>
        <translation>Record</translation>
    </message>
    <message>
        <source>Arrêter</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Exporter l&apos;image...</source>
        <translation>Export image...</translation>
    </message>
    <message>
        <source>&amp;Aide</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>&amp;Fermer</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>Durée affichée :</source>
        <translation>Span shown:</translation>
    </message>
    <message>
        <source>Cap moyen :</source>
        <translation>Mean heading:</translation>
    </message>
    <message>
        <source>Écart type :</source>
        <translation>Standard deviation:</translation>
    </message>
    <message>
        <source>Mesures :</source>
        <translation>Readings:</translation>
    </message>
    <message>
        <source>Enregistrement dans %1 : %2 mesure(s).</source>
        <translation>Recording to %1: %2 reading(s).</translation>
    </message>
    <message>
        <source>Enregistrement arrêté : %1</source>
        <translation>Recording stopped: %1</translation>
    </message>
    <message>
        <source>Aucun enregistrement en cours.</source>
        <translation>No recording under way.</translation>
    </message>
    <message>
        <source>Enregistrer le journal du cap</source>
        <translation>Record the heading log</translation>
    </message>
    <message>
        <source>Journal CSV (*.csv);;Tous les fichiers (*)</source>
        <translation>CSV log (*.csv);;All files (*)</translation>
    </message>
    <message>
        <source>Exporter l&apos;image du journal du cap</source>
        <translation>Export the heading log image</translation>
    </message>
    <message>
        <source>Image PNG (*.png)</source>
        <translation>PNG image (*.png)</translation>
    </message>
    <message>
        <source>Impossible d&apos;enregistrer l&apos;image %1.</source>
        <translation>Cannot save the image %1.</translation>
    </message>
    <message>
        <source>%1 mesure(s) perdue(s).</source>
        <translation>%1 reading(s) lost.</translation>
    </message>
    <message>
        <source>Cap moyen : %1   Écart type : %2   Mesures : %3</source>
        <translation>Mean heading: %1   Standard deviation: %2   Readings: %3</translation>
    </message>
    <message>
        <source>Journal du cap, %1, du %2 au %3 (UTC)</source>
        <translation>Heading log, %1, from %2 to %3 (UTC)</translation>
    </message>
    <message>
        <source>journal-%1.%2</source>
        <translation>heading-log-%1.%2</translation>
    </message>
</context>
<context>
    <name>HeadingRecorder</name>
    <message>
        <source>Impossible de créer le journal du cap %1 :
%2</source>
        <translation>Cannot create the heading log %1:
%2</translation>
    </message>
    <message>
        <source>Impossible d&apos;écrire dans le journal du cap %1 :
%2
L&apos;enregistrement est arrêté ; la communication avec la boussole continue.</source>
        <translation>Cannot write to the heading log %1:
%2
The recording is stopped; the link with the compass goes on.</translation>
    </message>
    <message>
        <source>c&apos;est le journal relu : il n&apos;est pas remplacé pendant sa relecture</source>
        <translation>it is the log being played back: it is not replaced while it plays</translation>
    </message>
    <message>
        <source>Le journal du cap %1 ne suit plus les mesures : celles qu&apos;il ne peut prendre sont perdues (le disque ou le programme qui le lit ne suit pas). L&apos;enregistrement continue.</source>
        <translation>The heading log %1 no longer keeps up with the readings: those it cannot take are lost (the disk or the program reading it does not keep up). The recording goes on.</translation>
    </message>
</context>
<context>
    <name>HeadingShare</name>
    <message>
        <source>%1 : %2 mène à %3</source>
        <translation>%1: %2 leads to %3</translation>
    </message>
    <message>
        <source>terminal NMEA impossible (%1)</source>
        <translation>cannot create the NMEA terminal (%1)</translation>
    </message>
    <message>
        <source>terminal NMEA %1 impossible à ouvrir (%2)</source>
        <translation>NMEA terminal %1 cannot be opened (%2)</translation>
    </message>
    <message>
        <source>%1 existe déjà, pas un lien</source>
        <translation>%1 already exists, not a link</translation>
    </message>
    <message>
        <source>lien %1 impossible (%2)</source>
        <translation>cannot create the link %1 (%2)</translation>
    </message>
    <message>
        <source>Cap NMEA : </source>
        <translation>NMEA heading: </translation>
    </message>
    <message>
        <source>terminal NMEA</source>
        <translation>NMEA terminal</translation>
    </message>
    <message>
        <source>adresse d&apos;écoute %1 invalide</source>
        <translation>invalid listening address %1</translation>
    </message>
    <message>
        <source>port TCP %1 déjà pris</source>
        <translation>TCP port %1 already taken</translation>
    </message>
    <message>
        <source>écoute %1 impossible (%2)</source>
        <translation>cannot listen on %1 (%2)</translation>
    </message>
    <message>
        <source> à l&apos;écoute</source>
        <translation> listening</translation>
    </message>
    <message>
        <source>client TCP %1 refusé (%2 au plus)</source>
        <translation>TCP client %1 refused (%2 at most)</translation>
    </message>
    <message>
        <source>%1 : client %2 parti</source>
        <translation>%1: client %2 left</translation>
    </message>
    <message>
        <source>%1 : client %2 connecté</source>
        <translation>%1: client %2 connected</translation>
    </message>
    <message>
        <source>client TCP %1 retiré (%2)</source>
        <translation>TCP client %1 dropped (%2)</translation>
    </message>
    <message>
        <source>il ne lit plus</source>
        <translation>it no longer reads</translation>
    </message>
    <message>
        <source> ouvert</source>
        <translation> open</translation>
    </message>
    <message>
        <source>envoi %1 impossible (%2)</source>
        <translation>cannot send to %1 (%2)</translation>
    </message>
    <message>
        <source>%1 non lu %2, phrases en attente écartées</source>
        <translation>%1 not read %2, waiting sentences dropped</translation>
    </message>
    <message>
        <source>depuis %1 s</source>
        <translation>for %1 s</translation>
    </message>
    <message>
        <source>(tampon plein)</source>
        <translation>(buffer full)</translation>
    </message>
    <message>
        <source>il ne lit plus depuis %1 s</source>
        <translation>it has not read for %1 s</translation>
    </message>
    <message>
        <source>hôte %1 introuvable, nouvel essai toutes les %2 s</source>
        <translation>host %1 not found, trying again every %2 s</translation>
    </message>
    <message>
        <source>hôte %1 trouvé : %2</source>
        <translation>host %1 found: %2</translation>
    </message>
</context>
<context>
    <name>HeadingShareDialog</name>
    <message>
        <source>Partage du cap (NMEA 0183)</source>
        <translation>Heading output (NMEA 0183)</translation>
    </message>
    <message>
        <source> Sorties : </source>
        <translation> Outputs: </translation>
    </message>
    <message>
        <source>UDP vers l&apos;hôte</source>
        <translation>UDP to the host</translation>
    </message>
    <message>
        <source>port</source>
        <translation>port</translation>
    </message>
    <message>
        <source>Serveur TCP sur l&apos;adresse</source>
        <translation>TCP server on address</translation>
    </message>
    <message>
        <source>Pseudo-terminal (lien NMEA du dossier d&apos;installation)</source>
        <translation>Pseudo-terminal (NMEA link in the installation folder)</translation>
    </message>
    <message>
        <source>Envoyer aussi le cap vrai (HDT) : la déclinaison réglée est celle du lieu</source>
        <translation>Also send the true heading (HDT); the declination set must be the local one</translation>
    </message>
    <message>
        <source> En direct : </source>
        <translation> Live: </translation>
    </message>
    <message>
        <source>Pour cette exécution, la ligne de commande ajoute : %1</source>
        <translation>For this run, the command line adds: %1</translation>
    </message>
    <message>
        <source>Pour cette exécution, la ligne de commande ajoute le cap vrai (HDT)</source>
        <translation>For this run, the command line adds the true heading (HDT)</translation>
    </message>
    <message>
        <source>, cap vrai (HDT)</source>
        <translation>, true heading (HDT)</translation>
    </message>
    <message>
        <source>Clients TCP connectés : %1</source>
        <translation>TCP clients connected: %1</translation>
    </message>
    <message>
        <source>Impossible d&apos;enregistrer ces réglages dans %1.
Ils s&apos;appliquent jusqu&apos;à l&apos;arrêt du programme.</source>
        <translation>Cannot save these settings in %1.
They apply until the program stops.</translation>
    </message>
    <message>
        <source>%1 : &lt;span style=&quot;color:#c00000&quot;&gt;%2&lt;/span&gt;</source>
        <translation>%1: &lt;span style=&quot;color:#c00000&quot;&gt;%2&lt;/span&gt;</translation>
    </message>
    <message>
        <source>%1 : en service, aucune phrase remise</source>
        <translation>%1: working, no sentence delivered yet</translation>
    </message>
    <message>
        <source>%1 : dernière phrase remise %2</source>
        <translation>%1: last sentence delivered %2</translation>
    </message>
    <message>
        <source>Aucune sortie en service</source>
        <translation>No output working</translation>
    </message>
    <message>
        <source>Hôte UDP</source>
        <translation>UDP host</translation>
    </message>
    <message>
        <source>Port UDP</source>
        <translation>UDP port</translation>
    </message>
    <message>
        <source>Adresse TCP</source>
        <translation>TCP address</translation>
    </message>
    <message>
        <source>Port TCP</source>
        <translation>TCP port</translation>
    </message>
    <message>
        <source>%1 « %2 » : %3.</source>
        <translation>%1 “%2”: %3.</translation>
    </message>
    <message>
        <source>%1 « %2 » : un nombre de 1 à 65535 est attendu.</source>
        <translation>%1 “%2”: a number from 1 to 65535 is expected.</translation>
    </message>
</context>
<context>
    <name>HelpViewer</name>
    <message>
        <source>&lt;h2&gt;Aide indisponible&lt;/h2&gt;&lt;p&gt;Le fichier d&apos;aide &lt;b&gt;%1&lt;/b&gt; est introuvable ou illisible.&lt;/p&gt;</source>
        <translation>&lt;h2&gt;Help unavailable&lt;/h2&gt;&lt;p&gt;The help file &lt;b&gt;%1&lt;/b&gt; cannot be found or read.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Aide de Ventrose</source>
        <translation>Ventrose Help</translation>
    </message>
</context>
<context>
    <name>IniFile</name>
    <message>
        <source>Impossible de lire le fichier %1 : %2</source>
        <translation>Cannot read the file %1: %2</translation>
    </message>
    <message>
        <source>Le fichier %1 dépasse 1 Mio : ce n&apos;est pas un fichier de réglages, il n&apos;est pas lu.</source>
        <translation>The file %1 is larger than 1 MiB: it is not a settings file and is not read.</translation>
    </message>
    <message>
        <source>Impossible d&apos;enregistrer la section « %1 » dans un fichier INI.</source>
        <translation>Cannot store the section “%1” in an INI file.</translation>
    </message>
    <message>
        <source>Impossible d&apos;enregistrer la clé « %1 » dans un fichier INI.</source>
        <translation>Cannot store the key “%1” in an INI file.</translation>
    </message>
    <message>
        <source>Impossible d&apos;enregistrer la valeur de la clé « %1 » dans un fichier INI.</source>
        <translation>Cannot store the value of the key “%1” in an INI file.</translation>
    </message>
    <message>
        <source>Impossible d&apos;écrire le fichier %1 : %2</source>
        <translation>Cannot write the file %1: %2</translation>
    </message>
</context>
<context>
    <name>InstallDir</name>
    <message>
        <source>Impossible de créer le dossier d&apos;installation %1.</source>
        <translation>Cannot create the installation folder %1.</translation>
    </message>
    <message>
        <source>Les données livrées avec le programme sont introuvables (%1).</source>
        <translation>The data shipped with the program cannot be found (%1).</translation>
    </message>
    <message>
        <source>Impossible de copier %1 dans le dossier d&apos;installation %2 :
%3</source>
        <translation>Cannot copy %1 into the installation folder %2:
%3</translation>
    </message>
    <message>
        <source>le dossier data/shipped des sources du programme</source>
        <translation>the data/shipped folder of the program&apos;s source tree</translation>
    </message>
    <message>
        <source>Il manque au dossier d&apos;installation %1 le fichier %2.
Pour le rétablir, copiez-le depuis %3.</source>
        <translation>The file %2 is missing from the installation folder %1.
To restore it, copy it from %3.</translation>
    </message>
    <message>
        <source>Il manque au dossier d&apos;installation %1 les fichiers %2.
Pour les rétablir, copiez-les depuis %3.</source>
        <translation>The files %2 are missing from the installation folder %1.
To restore them, copy them from %3.</translation>
    </message>
</context>
<context>
    <name>LineTrace</name>
    <message>
        <source>1 ligne de la trace n&apos;a pas pu être écrite dans %1.</source>
        <translation>1 line of the trace could not be written to %1.</translation>
    </message>
    <message>
        <source>%1 lignes de la trace n&apos;ont pas pu être écrites dans %2.</source>
        <translation>%1 lines of the trace could not be written to %2.</translation>
    </message>
    <message>
        <source>la sortie d&apos;erreur</source>
        <translation>standard error</translation>
    </message>
    <message>
        <source>aucun programme ne lit ce tube nommé ; lancez d&apos;abord celui qui doit le lire</source>
        <translation>no program is reading this named pipe; start its reader first</translation>
    </message>
    <message>
        <source>la trace ne peut plus être écrite dans %1 (%2) : elle s&apos;arrête là, le programme continue.</source>
        <translation>the trace can no longer be written to %1 (%2): it stops here, and the program goes on.</translation>
    </message>
    <message>
        <source>le fichier de trace</source>
        <translation>the trace file</translation>
    </message>
</context>
<context>
    <name>LogLoad</name>
    <message>
        <source>La dernière ligne (%2) du journal du cap %1 est coupée : la relecture s&apos;arrête après les %3 mesures entières.</source>
        <translation>The last line (%2) of the heading log %1 is cut: the playback stops after the %3 whole readings.</translation>
    </message>
    <message>
        <source>La relecture du journal du cap %1 s&apos;arrête après %2 mesures :
%3</source>
        <translation>The playback of the heading log %1 stops after %2 readings:
%3</translation>
    </message>
</context>
<context>
    <name>LogReader</name>
    <message>
        <source>%1 champs au lieu de 7</source>
        <translation>%1 fields instead of 7</translation>
    </message>
    <message>
        <source>« %1 » n&apos;est pas une heure UTC ISO 8601</source>
        <translation>“%1” is not an ISO 8601 UTC time</translation>
    </message>
    <message>
        <source>%1 « %2 » n&apos;est pas un entier de %3 à %4</source>
        <translation>%1 “%2” is not an integer from %3 to %4</translation>
    </message>
    <message>
        <source>le fichier est vide</source>
        <translation>the file is empty</translation>
    </message>
    <message>
        <source>l&apos;en-tête n&apos;est pas « %1 »</source>
        <translation>the header is not “%1”</translation>
    </message>
    <message>
        <source>aucune mesure après l&apos;en-tête</source>
        <translation>no reading after the header</translation>
    </message>
    <message>
        <source>l&apos;heure est antérieure à celle de la ligne %1</source>
        <translation>the time is earlier than that of line %1</translation>
    </message>
    <message>
        <source>Impossible de lire le journal du cap %1 :
%2</source>
        <translation>Cannot read the heading log %1:
%2</translation>
    </message>
    <message>
        <source>Le fichier %1 n&apos;est pas un journal du cap :
ligne %2 : %3.</source>
        <translation>The file %1 is not a heading log:
line %2: %3.</translation>
    </message>
    <message>
        <source>ce n&apos;est pas un fichier ordinaire (un appareil, un tube, un dossier) : seul un journal enregistré se relit</source>
        <translation>it is not a regular file (a device, a pipe, a folder): only a recorded log can be played back</translation>
    </message>
    <message>
        <source>le fichier dépasse %1 Mo ; la suite n&apos;est pas lue</source>
        <translation>the file is larger than %1 MB; the rest is not read</translation>
    </message>
    <message>
        <source>la ligne dépasse %1 octets</source>
        <translation>the line is longer than %1 bytes</translation>
    </message>
    <message>
        <source>la ligne est coupée : le fichier s&apos;arrête en son milieu</source>
        <translation>the line is cut: the file ends in its middle</translation>
    </message>
    <message>
        <source>l&apos;heure est plus de 24 heures après celle de la ligne %1</source>
        <translation>the time is more than 24 hours after that of line %1</translation>
    </message>
    <message>
        <source>l&apos;heure est plus d&apos;un an après celle de la première mesure</source>
        <translation>the time is more than a year after that of the first reading</translation>
    </message>
    <message>
        <source>l&apos;octet 0x%1 en colonne %2 n&apos;est pas du texte</source>
        <translation>the byte 0x%1 in column %2 is not text</translation>
    </message>
    <message>
        <source>1 champ au lieu de 7</source>
        <translation>1 field instead of 7</translation>
    </message>
    <message>
        <source>1 champ au lieu de 8</source>
        <translation>1 field instead of 8</translation>
    </message>
    <message>
        <source>%1 champs au lieu de 8</source>
        <translation>%1 fields instead of 8</translation>
    </message>
    <message>
        <source>deviation « %1 » n&apos;est ni vide ni un entier de %2 à %3</source>
        <translation>deviation “%1” is neither empty nor an integer from %2 to %3</translation>
    </message>
</context>
<context>
    <name>LogWriter</name>
    <message>
        <source>le disque est plein</source>
        <translation>the disk is full</translation>
    </message>
    <message>
        <source>aucun programme ne lit ce tube nommé ; lancez d&apos;abord celui qui doit le lire</source>
        <translation>no program is reading this named pipe; start its reader first</translation>
    </message>
    <message>
        <source>le programme qui lisait le tube s&apos;est arrêté</source>
        <translation>the program that read the pipe has stopped</translation>
    </message>
    <message>
        <source>le fichier existe déjà ; il n&apos;est pas remplacé : nommez un nouveau fichier</source>
        <translation>the file already exists; it is not replaced: name a new file</translation>
    </message>
    <message>
        <source>ce n&apos;est ni un fichier ordinaire, ni un tube, ni un appareil</source>
        <translation>it is neither a regular file, nor a pipe, nor a device</translation>
    </message>
</context>
<context>
    <name>MediaPlayer</name>
    <message>
        <source>Le fichier %1 n&apos;est pas un son WAVE PCM lisible : %2</source>
        <translation>The file %1 is not a readable PCM WAVE sound: %2</translation>
    </message>
</context>
<context>
    <name>MessageBoxes</name>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Avertissement</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Oui</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>Non</source>
        <translation>No</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>OutputTarget</name>
    <message>
        <source>udp:HÔTE:PORT attendu (port de 1 à 65535)</source>
        <translation>udp:HOST:PORT expected (port from 1 to 65535)</translation>
    </message>
    <message>
        <source>tcp:[ADRESSE:]PORT attendu (port de 1 à 65535)</source>
        <translation>tcp:[ADDRESS:]PORT expected (port from 1 to 65535)</translation>
    </message>
    <message>
        <source>udp:HÔTE:PORT, tcp:[ADRESSE:]PORT ou pty attendu</source>
        <translation>udp:HOST:PORT, tcp:[ADDRESS:]PORT or pty expected</translation>
    </message>
    <message>
        <source>entre crochets, une adresse IPv6 est attendue</source>
        <translation>an IPv6 address is expected in brackets</translation>
    </message>
    <message>
        <source>une adresse IPv6 s&apos;écrit entre crochets</source>
        <translation>an IPv6 address is written in brackets</translation>
    </message>
    <message>
        <source>adresse vide</source>
        <translation>empty address</translation>
    </message>
    <message>
        <source>le serveur TCP écoute sur une adresse IP ou sur localhost</source>
        <translation>the TCP server listens on an IP address or on localhost</translation>
    </message>
    <message>
        <source>ni une adresse IP ni un nom d&apos;hôte valable</source>
        <translation>neither an IP address nor a valid host name</translation>
    </message>
</context>
<context>
    <name>OwnSettings</name>
    <message>
        <source>ce n&apos;est pas un fichier ordinaire</source>
        <translation>it is not a regular file</translation>
    </message>
    <message>
        <source>fichier de plus de %1 Kio</source>
        <translation>file larger than %1 KiB</translation>
    </message>
    <message>
        <source>Impossible de lire les réglages du fichier %1 :
%2.
Les réglages par défaut s&apos;appliquent, et le fichier n&apos;est pas modifié.</source>
        <translation>Cannot read the settings of the file %1:
%2.
The default settings apply, and the file is left unchanged.</translation>
    </message>
</context>
<context>
    <name>ParameterMessage</name>
    <message>
        <source>Options matérielles</source>
        <translation>Hardware options</translation>
    </message>
    <message>
        <source>Signe du centrage du zéro</source>
        <translation>Sign of the zero centering</translation>
    </message>
    <message>
        <source>Centrage du zéro</source>
        <translation>Zero centering</translation>
    </message>
    <message>
        <source>Sens de la déclinaison magnétique</source>
        <translation>Direction of the magnetic declination</translation>
    </message>
    <message>
        <source>Déclinaison magnétique</source>
        <translation>Magnetic declination</translation>
    </message>
    <message>
        <source>Les paramètres n&apos;ont pas été envoyés à la boussole.
La ligne %1 du fichier Ventrose.inf (%2) contient « %3 », qui n&apos;est pas une valeur permise.</source>
        <translation>The settings were not sent to the compass.
Line %1 of the file Ventrose.inf (%2) holds “%3”, which is not an allowed value.</translation>
    </message>
</context>
<context>
    <name>PortDiscovery</name>
    <message>
        <source>port série</source>
        <translation>serial port</translation>
    </message>
    <message>
        <source>port série %1</source>
        <translation>serial port %1</translation>
    </message>
</context>
<context>
    <name>PortOpenFailure</name>
    <message>
        <source>Le port %1 (%2) existe, mais votre compte n&apos;a pas le droit de l&apos;ouvrir.
Ajoutez-le au groupe %3 (sudo adduser $USER %3), puis fermez votre session et ouvrez-la de nouveau.</source>
        <translation>The port %1 (%2) exists, but your account may not open it.
Add it to the group %3 (sudo adduser $USER %3), then log out and log in again.</translation>
    </message>
    <message>
        <source>Le port %1 mène à %2, qui est absent.
Branchez l&apos;adaptateur, ou choisissez un autre périphérique dans « Port de communication série ».</source>
        <translation>The port %1 leads to %2, which is missing.
Plug the adapter in, or choose another device in “Serial communication port”.</translation>
    </message>
    <message>
        <source>Le port %1 (%2) est déjà ouvert par un autre programme.
Fermez ce programme, puis réessayez.</source>
        <translation>The port %1 (%2) is already open in another program.
Close that program, then try again.</translation>
    </message>
    <message>
        <source>Le port %1 mène au module simulé, qui est débranché.
Rebranchez-le (kill -USR2 %2), puis réessayez.

%3</source>
        <translation>The port %1 leads to the simulated module, which is unplugged.
Plug it back (kill -USR2 %2), then try again.

%3</translation>
    </message>
</context>
<context>
    <name>SettingsStore</name>
    <message>
        <source>La ligne %1 du fichier Ventrose.inf ne peut pas recevoir un texte qui contient un saut de ligne ou un caractère nul :
elle garde sa valeur « %2 ».</source>
        <translation>Line %1 of the file Ventrose.inf cannot take a text that holds a line break or a null character:
it keeps its value “%2”.</translation>
    </message>
    <message>
        <source>fichier de plus de %1 Kio</source>
        <translation>file larger than %1 KiB</translation>
    </message>
    <message>
        <source>ce n&apos;est pas un fichier ordinaire</source>
        <translation>it is not a regular file</translation>
    </message>
</context>
<context>
    <name>SimulatedDeviation</name>
    <message>
        <source>la déviation %1 ne convient pas : cinq nombres A,B,C,D,E en degrés, séparés par des virgules, sont attendus</source>
        <translation>the deviation %1 does not fit: five numbers A,B,C,D,E in degrees, separated by commas, are expected</translation>
    </message>
    <message>
        <source>la déviation %1 est trop forte : la boussole ne tournerait plus avec le bateau (A de -180 à 180, |B| + |C| + 2|D| + 2|E| au plus 28.6)</source>
        <translation>the deviation %1 is too strong: the compass would no longer turn with the boat (A from -180 to 180, |B| + |C| + 2|D| + 2|E| at most 28.6)</translation>
    </message>
</context>
<context>
    <name>StandardDescriptors</name>
    <message>
        <source>ventrose : %1</source>
        <translation>ventrose: %1</translation>
    </message>
</context>
<context>
    <name>Swing</name>
    <message>
        <source>aucun point entre les caps compas %1° et %2° : un arc de %3° sans point, plus de 90°, où la courbe serait devinée ; ajoutez des points dans cet arc</source>
        <translation>no point between the compass headings %1° and %2°: an arc of %3° without a point, more than 90°, where the curve would be guessed; add points in that arc</translation>
    </message>
    <message>
        <source>il faut au moins cinq points à des caps compas différents, et il n&apos;y en a que %1</source>
        <translation>at least five points at different compass headings are needed, and there are only %1</translation>
    </message>
    <message>
        <source>les points ne sont qu&apos;à %1 caps compas différents : il en faut au moins cinq</source>
        <translation>the points are at only %1 different compass headings: at least five are needed</translation>
    </message>
    <message>
        <source>ligne %1 : l&apos;en-tête « compass,magnetic » est attendu, et non %2</source>
        <translation>line %1: the header “compass,magnetic” is expected, not %2</translation>
    </message>
    <message>
        <source>ligne %1 : deux valeurs séparées par une virgule sont attendues (cap compas, cap magnétique), et non %2</source>
        <translation>line %1: two values separated by a comma are expected (compass heading, magnetic heading), not %2</translation>
    </message>
    <message>
        <source>ligne %1 : %2 n&apos;est pas un cap en degrés de 0 à 360 (le séparateur décimal est le point)</source>
        <translation>line %1: %2 is not a heading in degrees from 0 to 360 (the decimal separator is a period)</translation>
    </message>
    <message>
        <source>le fichier est vide : l&apos;en-tête « compass,magnetic » est attendu</source>
        <translation>the file is empty: the header “compass,magnetic” is expected</translation>
    </message>
    <message>
        <source>aucune mesure du compas en %1 s : la liaison est-elle établie ?</source>
        <translation>no compass reading in %1 s: is the link up?</translation>
    </message>
    <message>
        <source>les mesures du compas partent dans toutes les directions : gardez le cap</source>
        <translation>the compass readings point every which way: hold the heading</translation>
    </message>
    <message>
        <source>le cap a varié de %1° (écart type) en %2 s, plus de %3° : gardez le cap et relevez de nouveau</source>
        <translation>the heading varied by %1° (standard deviation) in %2 s, more than %3°: hold the heading and take it again</translation>
    </message>
    <message>
        <source>relèvement vrai</source>
        <translation>true bearing</translation>
    </message>
    <message>
        <source>GNSS</source>
        <translation>GNSS</translation>
    </message>
    <message>
        <source>relèvement magnétique</source>
        <translation>magnetic bearing</translation>
    </message>
</context>
<context>
    <name>SwingDialog</name>
    <message>
        <source>Régulation du compas</source>
        <translation>Compass swing</translation>
    </message>
    <message>
        <source>Date :</source>
        <translation>Date:</translation>
    </message>
    <message>
        <source>Lieu :</source>
        <translation>Place:</translation>
    </message>
    <message>
        <source> Relevé d&apos;un point : </source>
        <translation> Take a point: </translation>
    </message>
    <message>
        <source>Relèvement magnétique</source>
        <translation>Magnetic bearing</translation>
    </message>
    <message>
        <source>Relèvement vrai</source>
        <translation>True bearing</translation>
    </message>
    <message>
        <source>Route fond GNSS</source>
        <translation>GNSS course over ground</translation>
    </message>
    <message>
        <source>Relèvement (°) :</source>
        <translation>Bearing (°):</translation>
    </message>
    <message>
        <source>&amp;Relever</source>
        <translation>&amp;Take</translation>
    </message>
    <message>
        <source>Cap compas</source>
        <translation>Compass</translation>
    </message>
    <message>
        <source>Cap magnétique</source>
        <translation>Magnetic</translation>
    </message>
    <message>
        <source>Source</source>
        <translation>Source</translation>
    </message>
    <message>
        <source>Heure</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Déviation</source>
        <translation>Deviation</translation>
    </message>
    <message>
        <source>Résidu</source>
        <translation>Residual</translation>
    </message>
    <message>
        <source>Aberrant</source>
        <translation>Outlier</translation>
    </message>
    <message>
        <source>&amp;Supprimer le point</source>
        <translation>&amp;Remove point</translation>
    </message>
    <message>
        <source> Appliquer la carte : </source>
        <translation> Apply the card: </translation>
    </message>
    <message>
        <source>à la sortie du cap</source>
        <translation>to the heading output</translation>
    </message>
    <message>
        <source>au journal du cap</source>
        <translation>to the heading log</translation>
    </message>
    <message>
        <source>au cap affiché</source>
        <translation>to the displayed heading</translation>
    </message>
    <message>
        <source>Exporter en &amp;CSV...</source>
        <translation>Export to &amp;CSV...</translation>
    </message>
    <message>
        <source>Exporter en &amp;PDF...</source>
        <translation>Export to &amp;PDF...</translation>
    </message>
    <message>
        <source>&amp;Fermer</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>Cap compas : aucune mesure</source>
        <translation>Compass heading: no reading</translation>
    </message>
    <message>
        <source>avec la déclinaison des réglages (%1°)</source>
        <translation>with the declination of the settings (%1°)</translation>
    </message>
    <message>
        <source>avec la déclinaison du lieu (%1°)</source>
        <translation>with the declination of the place (%1°)</translation>
    </message>
    <message>
        <source>pas de récepteur GNSS</source>
        <translation>no GNSS receiver</translation>
    </message>
    <message>
        <source>route magnétique %1°</source>
        <translation>magnetic course %1°</translation>
    </message>
    <message>
        <source>la route GNSS ne convient pas : %1</source>
        <translation>the GNSS course will not do: %1</translation>
    </message>
    <message>
        <source>relèvement « %1 » : un nombre de 0 à 360 est attendu</source>
        <translation>bearing “%1”: a number from 0 to 360 is expected</translation>
    </message>
    <message>
        <source>Relevé en cours : gardez le cap %1 s...</source>
        <translation>Taking: hold the heading for %1 s...</translation>
    </message>
    <message>
        <source>Cap compas : %1°</source>
        <translation>Compass heading: %1°</translation>
    </message>
    <message>
        <source>Point refusé : %1.</source>
        <translation>Point refused: %1.</translation>
    </message>
    <message>
        <source>Point %1 : cap compas %2° (%3 mesures, écart type %4°).</source>
        <translation>Point %1: compass heading %2° (%3 readings, standard deviation %4°).</translation>
    </message>
    <message>
        <source>oui</source>
        <translation>yes</translation>
    </message>
    <message>
        <source>Pas de carte : %1.</source>
        <translation>No card: %1.</translation>
    </message>
    <message>
        <source>Impossible d&apos;enregistrer la régulation dans %1%2. Elle vaut jusqu&apos;à l&apos;arrêt du programme.</source>
        <translation>Cannot save the swing in %1%2. It holds until the program ends.</translation>
    </message>
    <message>
        <source>Exporter la carte en PDF</source>
        <translation>Export the card to PDF</translation>
    </message>
    <message>
        <source>Exporter la carte en CSV</source>
        <translation>Export the card to CSV</translation>
    </message>
    <message>
        <source>Documents PDF (*.pdf)</source>
        <translation>PDF documents (*.pdf)</translation>
    </message>
    <message>
        <source>Fichiers CSV (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <source>Carte enregistrée dans %1.</source>
        <translation>Card saved in %1.</translation>
    </message>
    <message>
        <source>La carte n&apos;est pas enregistrée : %1.</source>
        <translation>The card is not saved: %1.</translation>
    </message>
    <message>
        <source>avec la déclinaison des réglages (illisible)</source>
        <translation>with the declination of the settings (unreadable)</translation>
    </message>
    <message>
        <source>la déclinaison des réglages ne peut pas être lue</source>
        <translation>the declination of the settings cannot be read</translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>C&apos;est l&apos;angle vers lequel@ vous vous dirigez...</source>
        <translation>This is the angle@ you are heading to...</translation>
    </message>
    <message>
        <source>C&apos;est la direction@ vers laquelle vous vous dirigez...</source>
        <translation>This is the direction@ you are heading to...</translation>
    </message>
    <message>
        <source>C&apos;est l&apos;angle décrit par l&apos;aiguille rouge@ orientée toujours vers le NORD...</source>
        <translation>This is the angle of the red needle,@ which always points NORTH...</translation>
    </message>
    <message>
        <source>C&apos;est la direction pointée par l&apos;aiguille rouge@ orientée toujours vers le NORD...</source>
        <translation>This is the direction of the red needle,@ which always points NORTH...</translation>
    </message>
    <message>
        <source>Cliquez sur le bouton n°1 pour étalonner le SUD...</source>
        <translation>Click button no. 1 to calibrate the SOUTH...</translation>
    </message>
    <message>
        <source>Cliquez sur le bouton n°2 pour étalonner l&apos;EST...</source>
        <translation>Click button no. 2 to calibrate the EAST...</translation>
    </message>
    <message>
        <source>Cliquez sur le bouton n°3 pour étalonner le NORD...</source>
        <translation>Click button no. 3 to calibrate the NORTH...</translation>
    </message>
    <message>
        <source>Cliquez sur le bouton n°4 pour étalonner l&apos;OUEST...</source>
        <translation>Click button no. 4 to calibrate the WEST...</translation>
    </message>
    <message>
        <source> Etalonnage de la boussole : </source>
        <translation> Compass calibration: </translation>
    </message>
    <message>
        <source>&amp;Aide</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>&amp;Paramètres</source>
        <translation>&amp;Settings</translation>
    </message>
    <message>
        <source>&amp;Activer la communication série</source>
        <translation>&amp;Activate serial communication</translation>
    </message>
    <message>
        <source>&amp;Port de communication série</source>
        <translation>Serial communication &amp;port</translation>
    </message>
    <message>
        <source>&amp;Options graphiques</source>
        <translation>&amp;Graphics options</translation>
    </message>
    <message>
        <source>&amp;Type de menus déroulant</source>
        <translation>&amp;Menu style</translation>
    </message>
    <message>
        <source>&amp;Quitter</source>
        <translation>&amp;Quit</translation>
    </message>
    <message>
        <source>&amp;Boussole</source>
        <translation>&amp;Compass</translation>
    </message>
    <message>
        <source>&amp;Etalonnage de la boussole</source>
        <translation>&amp;Calibrate the compass</translation>
    </message>
    <message>
        <source>&amp;Centrage du zéro (NORD)</source>
        <translation>&amp;Zero centering (NORTH)</translation>
    </message>
    <message>
        <source>&amp;Déclinaison magnétique</source>
        <translation>Magnetic &amp;declination</translation>
    </message>
    <message>
        <source>&amp;Journal du cap...</source>
        <translation>&amp;Heading log...</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>Options l&amp;ogicielles</source>
        <translation>&amp;Software options</translation>
    </message>
    <message>
        <source>Options &amp;matérielles</source>
        <translation>Hard&amp;ware options</translation>
    </message>
    <message>
        <source>&amp;Partage du cap (NMEA 0183)...</source>
        <translation>Heading output (&amp;NMEA 0183)...</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>A &amp;propos de...</source>
        <translation>&amp;About...</translation>
    </message>
    <message>
        <source>&amp;Types de menus déroulant</source>
        <translation>&amp;Menu style</translation>
    </message>
    <message>
        <source>&amp;Centrage du z&amp;éro (NORD)</source>
        <translation>&amp;Zero centering (NORTH)</translation>
    </message>
    <message>
        <source>A p&amp;ropos...</source>
        <translation>A&amp;bout...</translation>
    </message>
    <message>
        <source>Activer la liaison série</source>
        <translation>Activate the serial link</translation>
    </message>
    <message>
        <source>Port de communication série</source>
        <translation>Serial communication port</translation>
    </message>
    <message>
        <source>Centrage du zéro (NORD)</source>
        <translation>Zero centering (NORTH)</translation>
    </message>
    <message>
        <source>Déclinaison magnétique</source>
        <translation>Magnetic declination</translation>
    </message>
    <message>
        <source>Options logicielles</source>
        <translation>Software options</translation>
    </message>
    <message>
        <source>Options matérielles</source>
        <translation>Hardware options</translation>
    </message>
    <message>
        <source>

Les réglages ne peuvent pas être enregistrés dans le dossier %1.
Le programme continue ; ils seront enregistrés dès que ce sera de nouveau possible.</source>
        <translation>

The settings cannot be saved in the folder %1.
The program goes on; they will be saved as soon as this is possible again.</translation>
    </message>
    <message>
        <source>Réglages enregistrés...</source>
        <translation>Settings saved...</translation>
    </message>
    <message>
        <source>                       Vous ne pouvez pas CENTRER LE ZERO
car le réglage de la déclinaison magnétique n&apos;est pas positionné sur zéro.</source>
        <translation>                       You cannot CENTER THE ZERO
because the magnetic declination is not set to zero.</translation>
    </message>
    <message>
        <source>Voulez-vous positionner automatiquement la déclinaison magnétique sur zéro,
                       afin d&apos;effectuer le CENTRAGE DU ZERO ?</source>
        <translation>Do you want the magnetic declination set to zero automatically,
                       so as to carry out the ZERO CENTERING?</translation>
    </message>
    <message>
        <source>La boussole est désormais configurée pour un fonctionnement autonome.
                Le programme va s&apos;arrêter. Cliquez sur OK...</source>
        <translation>The compass is now set up to work on its own.
                The program is going to stop. Click OK...</translation>
    </message>
    <message>
        <source>      Êtes-vous sûr de vouloir effectuer l&apos;étalonnage de la boussole ?
Attention, si vous répondez Oui, les anciens paramètres seront effacés...</source>
        <translation>      Are you sure you want to calibrate the compass?
Warning: if you answer Yes, the previous settings will be erased...</translation>
    </message>
    <message>
        <source>Etalonnage achevé...</source>
        <translation>Calibration complete...</translation>
    </message>
    <message>
        <source>                             Félicitations !!!
La procédure d&apos;étalonnage en quatre phases est terminée.</source>
        <translation>                             Congratulations!!!
The four-phase calibration procedure is complete.</translation>
    </message>
    <message>
        <source>Ventrose — boussole électronique RS-232</source>
        <translation>Ventrose — RS-232 electronic compass</translation>
    </message>
    <message>
        <source>Communication échouée...</source>
        <translation>Communication failed...</translation>
    </message>
    <message>
        <source>Communication avec la boussole échouée !
          Le programme va s&apos;arrêter.
   Vérifiez l&apos;ensemble de vos connexions.</source>
        <translation>Communication with the compass failed!
          The program is going to stop.
   Check all your connections.</translation>
    </message>
    <message>
        <source>Transfert des paramètres...</source>
        <translation>Transferring the settings...</translation>
    </message>
    <message>
        <source>Transfert effectué...</source>
        <translation>Transfer complete...</translation>
    </message>
    <message>
        <source>Le programme va s&apos;arrêter...</source>
        <translation>The program is going to stop...</translation>
    </message>
    <message>
        <source>Boussole autonome...</source>
        <translation>Stand-alone compass...</translation>
    </message>
    <message>
        <source>Assurez-vous d&apos;avoir connecté le cordon RS232 entre le PC et la boussole,
           puis mettez la boussole sous tension et cliquez sur OK.</source>
        <translation>Make sure that the RS232 cable connects the PC and the compass,
           then switch the compass on and click OK.</translation>
    </message>
    <message>
        <source>Communication PC &amp; boussole en cours...</source>
        <translation>PC &amp; compass communication under way...</translation>
    </message>
    <message>
        <source>Communication établie...</source>
        <translation>Communication established...</translation>
    </message>
    <message>
        <source>     Félicitations !!!
Communication établie.</source>
        <translation>     Congratulations!!!
Communication established.</translation>
    </message>
    <message>
        <source>Communication perdue avec la boussole...</source>
        <translation>Communication with the compass lost...</translation>
    </message>
    <message>
        <source>Communication rétablie...</source>
        <translation>Communication restored...</translation>
    </message>
    <message>
        <source>Communication non rétablie...</source>
        <translation>Communication not restored...</translation>
    </message>
    <message>
        <source>Le dossier d&apos;installation %1 a disparu : le programme continue avec ce qu&apos;il en a chargé.</source>
        <translation>The installation folder %1 has disappeared: the program goes on with what it had loaded from it.</translation>
    </message>
    <message>
        <source>&amp;Régulation du compas...</source>
        <translation>Compass &amp;swing...</translation>
    </message>
</context>
<context>
    <name>TForm10</name>
    <message>
        <source>Ventrose 1.0 : question à l&apos;auteur</source>
        <translation>Ventrose 1.0: a question for the author</translation>
    </message>
    <message>
        <source> Ko</source>
        <translation> KB</translation>
    </message>
    <message>
        <source>A propos de...</source>
        <translation>About...</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>Conception et programmation :</source>
        <translation>Design and programming:</translation>
    </message>
    <message>
        <source>l&apos;équipe de développement Ventrose</source>
        <translation>the Ventrose development team</translation>
    </message>
    <message>
        <source>Site web :</source>
        <translation>Website:</translation>
    </message>
    <message>
        <source>E-mail :</source>
        <translation>Email:</translation>
    </message>
    <message>
        <source> Vos paramètres : </source>
        <translation> Your system: </translation>
    </message>
    <message>
        <source>Mémoire physique disponible : </source>
        <translation>Available physical memory: </translation>
    </message>
    <message>
        <source>Ressources  du système :</source>
        <translation>System resources:</translation>
    </message>
    <message>
        <source>Résolution écran :</source>
        <translation>Screen resolution:</translation>
    </message>
    <message>
        <source>Palette de couleurs :</source>
        <translation>Color palette:</translation>
    </message>
    <message>
        <source>%1 bits</source>
        <translation>%1 bits</translation>
    </message>
</context>
<context>
    <name>TForm2</name>
    <message>
        <source>un élément</source>
        <translation>an item</translation>
    </message>
    <message>
        <source>un dossier</source>
        <translation>a folder</translation>
    </message>
    <message>
        <source>un fichier</source>
        <translation>a file</translation>
    </message>
    <message>
        <source>un élément qui n&apos;est pas un lien symbolique</source>
        <translation>an item that is not a symbolic link</translation>
    </message>
    <message>
        <source>%1 dans le dossier d&apos;installation %2 n&apos;est pas un lien symbolique :
il est laissé tel quel, et %1 ne peut pas mener à %3.</source>
        <translation>%1 in the installation folder %2 is not a symbolic link:
it is left as it is, and %1 cannot lead to %3.</translation>
    </message>
    <message>
        <source>Impossible de faire mener %1 à %2 :
le nom « %3 » du dossier d&apos;installation %4,
qui sert à préparer le lien, est pris par %5.
Il est laissé tel quel : supprimez-le ou renommez-le, puis recommencez.</source>
        <translation>Cannot make %1 lead to %2:
the name “%3” in the installation folder %4,
which serves to prepare the link, is taken by %5.
It is left as it is: delete or rename it, then try again.</translation>
    </message>
    <message>
        <source>Impossible de faire mener %1 à %2 dans le dossier d&apos;installation %3 (%4).</source>
        <translation>Cannot make %1 lead to %2 in the installation folder %3 (%4).</translation>
    </message>
    <message>
        <source>Port série RS232</source>
        <translation>RS232 serial port</translation>
    </message>
    <message>
        <source> Sélection du port série : </source>
        <translation> Serial port selection: </translation>
    </message>
    <message>
        <source> Périphériques : </source>
        <translation> Devices: </translation>
    </message>
    <message>
        <source>COM&amp;1 :</source>
        <translation>COM&amp;1:</translation>
    </message>
    <message>
        <source>COM&amp;2 :</source>
        <translation>COM&amp;2:</translation>
    </message>
    <message>
        <source>absent</source>
        <translation>missing</translation>
    </message>
    <message>
        <source> : absent</source>
        <translation> (missing)</translation>
    </message>
    <message>
        <source> (absent)</source>
        <translation> (missing)</translation>
    </message>
</context>
<context>
    <name>TForm3</name>
    <message>
        <source>Options graphiques</source>
        <translation>Graphics options</translation>
    </message>
    <message>
        <source> Epaisseur aiguille boussole  </source>
        <translation> Compass needle width  </translation>
    </message>
    <message>
        <source>Fine</source>
        <translation>Thin</translation>
    </message>
    <message>
        <source>Moyenne</source>
        <translation>Medium</translation>
    </message>
    <message>
        <source>Grande</source>
        <translation>Thick</translation>
    </message>
    <message>
        <source> Longueur aiguille boussole </source>
        <translation> Compass needle length </translation>
    </message>
    <message>
        <source>Courte</source>
        <translation>Short</translation>
    </message>
    <message>
        <source>longue</source>
        <translation>Long</translation>
    </message>
    <message>
        <source>Rose des vents</source>
        <translation>Compass rose</translation>
    </message>
    <message>
        <source>Cercle central</source>
        <translation>Center circle</translation>
    </message>
</context>
<context>
    <name>TForm4</name>
    <message>
        <source>Types de menus déroulant</source>
        <translation>Menu style</translation>
    </message>
    <message>
        <source> Quels types de menus souhaitez-vous ? </source>
        <translation> Which menu style do you want? </translation>
    </message>
    <message>
        <source>Menus de type Microsoft Office XP</source>
        <translation>Microsoft Office XP style menus</translation>
    </message>
    <message>
        <source>Menus de type conventionnel</source>
        <translation>Conventional menus</translation>
    </message>
</context>
<context>
    <name>TForm5</name>
    <message>
        <source>%1 ne peut pas contenir de saut de ligne ni de caractère nul : chaque réglage tient sur une seule ligne du fichier Ventrose.inf.
Le texte saisi n&apos;est pas enregistré, et la valeur « %2 » reste.</source>
        <translation>%1 cannot hold a line break or a null character: each setting fits on one line of the file Ventrose.inf.
The text typed is not saved, and the value “%2” stays.</translation>
    </message>
    <message>
        <source>Déclinaison magnétique</source>
        <translation>Magnetic declination</translation>
    </message>
    <message>
        <source>&amp;Aide</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source> Cardinal de la déclinaison :</source>
        <translation> Direction of the declination:</translation>
    </message>
    <message>
        <source>Déclinaison OUEST (déclinaison négative)</source>
        <translation>WEST declination (negative declination)</translation>
    </message>
    <message>
        <source>Déclinaison EST (déclinaison positive)</source>
        <translation>EAST declination (positive declination)</translation>
    </message>
    <message>
        <source> Réglage de la déclinaison :</source>
        <translation> Declination setting:</translation>
    </message>
    <message>
        <source>Plage de réglage :</source>
        <translation>Setting range:</translation>
    </message>
    <message>
        <source>Réglage :</source>
        <translation>Setting:</translation>
    </message>
    <message>
        <source>La plage de réglage</source>
        <translation>The setting range</translation>
    </message>
    <message>
        <source>La plage de réglage doit être un nombre entier de %1 à %2.
« %3 » n&apos;est pas enregistré, et la plage « %4 » reste.</source>
        <translation>The setting range must be a whole number from %1 to %2.
“%3” is not saved, and the range “%4” stays.</translation>
    </message>
    <message>
        <source>Déclinaison magnétique : %1° OUEST soit : -%1°</source>
        <translation>Magnetic declination: %1° WEST, i.e. -%1°</translation>
    </message>
    <message>
        <source>Déclinaison magnétique  : %1° EST soit : +%1°</source>
        <translation>Magnetic declination: %1° EAST, i.e. +%1°</translation>
    </message>
</context>
<context>
    <name>TForm6</name>
    <message>
        <source>Veuillez patienter...</source>
        <translation>Please wait...</translation>
    </message>
</context>
<context>
    <name>TForm7</name>
    <message>
        <source>Centrage du zéro (NORD)</source>
        <translation>Zero centering (NORTH)</translation>
    </message>
    <message>
        <source> Réglage automatique du centrage : </source>
        <translation> Automatic centering: </translation>
    </message>
    <message>
        <source>&amp;Aide</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>&amp;Sortir</source>
        <translation>&amp;Exit</translation>
    </message>
    <message>
        <source>ATTENTION :</source>
        <translation>WARNING:</translation>
    </message>
    <message>
        <source>La procédure de centrage doit s&apos;effectuer après étalonnage</source>
        <translation>The centering must be done once the Ventrose module</translation>
    </message>
    <message>
        <source>de la Ventrose.</source>
        <translation>has been calibrated.</translation>
    </message>
    <message>
        <source>Cliquez sur &quot;RAZ centrage&quot; avant de procéder à l&apos;activation</source>
        <translation>Click &quot;Reset centering&quot; before you activate</translation>
    </message>
    <message>
        <source>d&apos;un autre centrage.</source>
        <translation>another centering.</translation>
    </message>
    <message>
        <source>Sachez que la déclinaison magnétique est remise à zéro,</source>
        <translation>Note that the magnetic declination is reset to zero</translation>
    </message>
    <message>
        <source>lors de l&apos;ouverture de cette fenêtre.</source>
        <translation>when this window opens.</translation>
    </message>
    <message>
        <source>Avec l&apos;aide d&apos;une boussole de référence, positionnez le module</source>
        <translation>With the help of a reference compass, point the Ventrose</translation>
    </message>
    <message>
        <source>Ventrose dans la direction du NORD.</source>
        <translation>module toward the NORTH.</translation>
    </message>
    <message>
        <source>Cliquez ensuite sur le bouton &quot;Activer le centrage&quot;.</source>
        <translation>Then click the &quot;Activate centering&quot; button.</translation>
    </message>
    <message>
        <source>Activer le &amp;centrage</source>
        <translation>Activate &amp;centering</translation>
    </message>
    <message>
        <source>Si vous désirez effacer le centrage de la boussole, cliquez sur</source>
        <translation>To clear the compass&apos;s centering, click</translation>
    </message>
    <message>
        <source>le bouton &quot;RAZ centrage&quot;.</source>
        <translation>the &quot;Reset centering&quot; button.</translation>
    </message>
    <message>
        <source>&amp;RAZ centrage</source>
        <translation>&amp;Reset centering</translation>
    </message>
    <message>
        <source>Le décalage de l&apos;aiguille rouge (NORD) dépasse 20°. Impossible d&apos;effectuer le centrage.</source>
        <translation>The red needle (NORTH) is more than 20° off. The centering cannot be done.</translation>
    </message>
    <message>
        <source>Les nouveaux paramètres de centrage ont été pris en compte...</source>
        <translation>The new centering settings are now in use...</translation>
    </message>
    <message>
        <source>Les paramètres de centrage ont été effacés.</source>
        <translation>The centering settings have been cleared.</translation>
    </message>
    <message>
        <source>Vos anciens paramètres sont conservés...</source>
        <translation>Your previous settings are kept...</translation>
    </message>
</context>
<context>
    <name>TForm8</name>
    <message>
        <source>Options logicielles</source>
        <translation>Software options</translation>
    </message>
    <message>
        <source>Message d&apos;avertissement avant lancement de la liaison série</source>
        <translation>Warning message before the serial link starts</translation>
    </message>
    <message>
        <source>Arrêt du programme avec message d&apos;information</source>
        <translation>Information message when the program quits</translation>
    </message>
    <message>
        <source>Affichage des degrés (CAP et aiguille rouge)</source>
        <translation>Show the degrees (HEADING and red needle)</translation>
    </message>
    <message>
        <source>Affichage de la direction (CAP et aiguille rouge)</source>
        <translation>Show the direction (HEADING and red needle)</translation>
    </message>
    <message>
        <source>Infos bulles</source>
        <translation>Balloon tips</translation>
    </message>
    <message>
        <source>Effets sonores</source>
        <translation>Sound effects</translation>
    </message>
</context>
<context>
    <name>TForm9</name>
    <message>
        <source>Options matérielles</source>
        <translation>Hardware options</translation>
    </message>
    <message>
        <source>Afficheur LCD</source>
        <translation>LCD display</translation>
    </message>
    <message>
        <source>Affichage AIGUILLE ROUGE sur LCD</source>
        <translation>RED NEEDLE shown on the LCD</translation>
    </message>
    <message>
        <source>Calcul de la moyenne à partir des mesures brutes</source>
        <translation>Average computed from the raw readings</translation>
    </message>
    <message>
        <source>Liaison série annexe pour développement personnel</source>
        <translation>Extra serial link for your own development</translation>
    </message>
    <message>
        <source>Boussole par affichage LEDS</source>
        <translation>Compass shown by LEDs</translation>
    </message>
    <message>
        <source>Fréquence secteur</source>
        <translation>Mains frequency</translation>
    </message>
    <message>
        <source>F= 50Hz</source>
        <translation>F= 50Hz</translation>
    </message>
    <message>
        <source>&amp;Aide</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>F= 60Hz</source>
        <translation>F= 60Hz</translation>
    </message>
    <message>
        <source>Affichage CAP sur LCD</source>
        <translation>HEADING shown on the LCD</translation>
    </message>
</context>
<context>
    <name>Warnings</name>
    <message>
        <source>Zone interdite près d&apos;un pôle magnétique (champ horizontal de %1 nT, moins de 2000) : une boussole n&apos;y indique rien de sûr.</source>
        <translation>Blackout zone near a magnetic pole (horizontal field of %1 nT, under 2000): a compass shows nothing reliable there.</translation>
    </message>
    <message>
        <source>Zone de prudence près d&apos;un pôle magnétique (champ horizontal de %1 nT, moins de 6000) : une boussole y est peu sûre.</source>
        <translation>Caution zone near a magnetic pole (horizontal field of %1 nT, under 6000): a compass is unreliable there.</translation>
    </message>
    <message>
        <source>Date hors de la période de validité du modèle WMM2025 (2025 à 2029) : la valeur n&apos;est qu&apos;une extrapolation.</source>
        <translation>Date outside the validity period of the WMM2025 model (2025 to 2029): the value is only an extrapolation.</translation>
    </message>
</context>
<context>
    <name>WavFile</name>
    <message>
        <source>en-tête de format trop court</source>
        <translation>format header too short</translation>
    </message>
    <message>
        <source>format de codage %1 non pris en charge (seul le PCM l&apos;est)</source>
        <translation>coding format %1 not supported (only PCM is)</translation>
    </message>
    <message>
        <source>nombre de canaux non pris en charge</source>
        <translation>number of channels not supported</translation>
    </message>
    <message>
        <source>taille d&apos;échantillon non prise en charge (8 ou 16 bits)</source>
        <translation>sample size not supported (8 or 16 bits)</translation>
    </message>
    <message>
        <source>fréquence d&apos;échantillonnage invalide</source>
        <translation>invalid sampling rate</translation>
    </message>
    <message>
        <source>ce n&apos;est pas un fichier RIFF/WAVE</source>
        <translation>not a RIFF/WAVE file</translation>
    </message>
    <message>
        <source>fichier tronqué</source>
        <translation>truncated file</translation>
    </message>
    <message>
        <source>bloc de format absent</source>
        <translation>format chunk missing</translation>
    </message>
    <message>
        <source>bloc de données absent ou tronqué</source>
        <translation>data chunk missing or truncated</translation>
    </message>
</context>
<context>
    <name>gnss::CourseReference</name>
    <message>
        <source>Pas de position</source>
        <translation>No position</translation>
    </message>
    <message>
        <source>Vitesse trop faible</source>
        <translation>Speed too low</translation>
    </message>
    <message>
        <source>Pas de route sur le fond</source>
        <translation>No course over ground</translation>
    </message>
    <message>
        <source>Cap instable</source>
        <translation>Course unsteady</translation>
    </message>
    <message>
        <source>Vitesse instable</source>
        <translation>Speed unsteady</translation>
    </message>
    <message>
        <source>Route stable depuis %1 s sur %2 s</source>
        <translation>Course steady for %1 s of %2 s</translation>
    </message>
    <message>
        <source>Déclinaison inutilisable si près du pôle magnétique</source>
        <translation>Declination unusable this close to the magnetic pole</translation>
    </message>
</context>
<context>
    <name>gnss::GpsdClient</name>
    <message>
        <source>adresse inconnue</source>
        <translation>unknown address</translation>
    </message>
    <message>
        <source>connexion refusée</source>
        <translation>connection refused</translation>
    </message>
    <message>
        <source>erreur du système (%1)</source>
        <translation>system error (%1)</translation>
    </message>
    <message>
        <source>gpsd n&apos;est pas lu</source>
        <translation>gpsd is not being read</translation>
    </message>
    <message>
        <source>Connexion à gpsd (%1)...</source>
        <translation>Connecting to gpsd (%1)...</translation>
    </message>
    <message>
        <source>gpsd injoignable (%1) : %2. Nouvel essai dans %3 s.</source>
        <translation>gpsd unreachable (%1): %2. Trying again in %3 s.</translation>
    </message>
    <message>
        <source>Connecté à gpsd (%1)</source>
        <translation>Connected to gpsd (%1)</translation>
    </message>
    <message>
        <source>Liaison avec gpsd perdue (%1). Nouvel essai dans %2 s.</source>
        <translation>Connection to gpsd lost (%1). Trying again in %2 s.</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>La trace ne peut plus être écrite...</source>
        <translation>The trace can no longer be written...</translation>
    </message>
    <message>
        <source>Impossible d&apos;ouvrir le fichier de trace %1 :
%2</source>
        <translation>Cannot open the trace file %1:
%2</translation>
    </message>
</context>
</TS>
