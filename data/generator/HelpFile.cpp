// The French help file: its topics, in the page frame that the English one shares.
#include "HelpPage.h"
#include "TextFiles.h"

namespace datagen {
namespace {

const char kMainTopic[] = R"(
<div class="rubrique" id="som"><a name="som"></a>
<h1>Ventrose : la boussole électronique sur votre PC</h1>
<p>Ventrose affiche en direct le cap mesuré par le module boussole électronique Ventrose, relié
au PC par un cordon série RS232 (port COM1 ou COM2). Le programme dessine une boussole à aiguille
rouge et blanche, indique l'orientation de l'aiguille et votre cap en degrés et en toutes lettres,
et vous permet de régler le module : étalonnage, centrage du zéro, déclinaison magnétique et
options matérielles.</p>

<h2>Lancer la liaison avec la boussole</h2>
<ol>
<li>Choisissez le port série sur lequel la boussole est branchée
(<span class="menu">Paramètres &gt; Port de communication série</span>, voir
<a href="#rub2">Port série RS232</a>).</li>
<li>Choisissez <span class="menu">Paramètres &gt; Activer la communication série</span>, ou
cliquez sur le premier bouton de la barre d'outils.</li>
<li>Si le message d'avertissement est activé, branchez le cordon RS232 entre le PC et la boussole,
mettez la boussole sous tension, puis cliquez sur OK.</li>
<li>Le PC appelle la boussole ; la barre de progression en bas de la fenêtre montre l'attente.
Quand la boussole répond, le message « Communication établie » s'affiche et les mesures
commencent à arriver.</li>
</ol>
<p class="attention">Si la boussole ne répond pas dans les cinq secondes environ, le programme
signale l'échec de la communication et s'arrête. Vérifiez alors le cordon, l'alimentation de la
boussole et le port choisi, puis relancez Ventrose.</p>

<h2>Lire la boussole</h2>
<p>L'aiguille <b>rouge</b> montre le nord, l'aiguille <b>blanche</b> le sud. Le cadran porte les
lettres N, E, S et O (ouest) et une graduation tous les 5 degrés. Quatre indications entourent le
cadran :</p>
<table>
<tr><th>Place</th><th>Indication</th></tr>
<tr><td>en haut à gauche</td><td>votre cap en degrés (« Votre CAP »), c'est-à-dire l'angle vers
lequel vous vous dirigez</td></tr>
<tr><td>en haut à droite</td><td>la direction de votre cap en toutes lettres</td></tr>
<tr><td>en bas à gauche</td><td>l'orientation de l'aiguille rouge en degrés</td></tr>
<tr><td>en bas à droite</td><td>la direction pointée par l'aiguille rouge</td></tr>
</table>
<p>La barre d'état indique à gauche l'opération en cours et à droite la déclinaison magnétique
appliquée (« DM »). Les indications en degrés et en toutes lettres peuvent être masquées dans les
<a href="#rub9">options logicielles</a> ; l'aspect de l'aiguille et du cadran se règle dans les
<a href="#rub4">options graphiques</a>. Lorsque les infos bulles sont activées, une bulle explique
chaque indication quand la souris passe dessus.</p>

<h2>Menus et barre d'outils</h2>
<table>
<tr><th>Menu</th><th>Commandes</th></tr>
<tr><td class="menu">Paramètres</td><td>Activer la communication série ; Port de communication
série (<a href="#rub2">aide</a>) ; Options graphiques (<a href="#rub4">aide</a>) ; Type de menus
déroulant (<a href="#rub5">aide</a>) ; Quitter</td></tr>
<tr><td class="menu">Boussole</td><td>Etalonnage de la boussole (<a href="#rub6">aide</a>) ;
Centrage du zéro (NORD) (<a href="#rub7">aide</a>) ; Déclinaison magnétique
(<a href="#rub8">aide</a>) ; Journal du cap... (<a href="#journal">aide</a>) ; Régulation du compas... (<a href="#regulation">aide</a>)</td></tr>
<tr><td class="menu">Options</td><td>Options logicielles (<a href="#rub9">aide</a>) ; Options
matérielles (<a href="#rub10">aide</a>) ; Partage du cap (NMEA 0183)
(<a href="#partage">aide</a>)</td></tr>
<tr><td class="menu">Aide</td><td>Help (cette page) ; A propos de...</td></tr>
</table>
<p>Un clic droit dans la fenêtre ouvre un menu contextuel qui reprend ces commandes. Les boutons
de la barre d'outils, de gauche à droite : activer la liaison série, port de communication série,
centrage du zéro (NORD), déclinaison magnétique, options logicielles, options matérielles.</p>
<p class="note">Avant la liaison, seules les commandes de liaison, de port, de type de menus,
d'options logicielles, d'aide et de sortie sont disponibles. Une fois la liaison établie, la
liaison et le port ne peuvent plus être changés ; les réglages de la boussole deviennent
disponibles. Pendant l'étalonnage, les réglages sont suspendus jusqu'à la fin de la
procédure.</p>

<h2>Quitter</h2>
<p>Choisissez <span class="menu">Paramètres &gt; Quitter</span> ou fermez la fenêtre. Si la
liaison est établie, le PC confie d'abord la boussole au fonctionnement autonome : elle continue
alors de fonctionner seule, sans le PC. Un message le confirme si cette option est activée dans
les <a href="#rub9">options logicielles</a>.</p>
<p>Vos réglages sont enregistrés dans le fichier Ventrose.inf du dossier d'installation à chaque
retour à la fenêtre principale.</p>
</div>
)";

const char kPortTopic[] = R"(
<div class="rubrique" id="rub2"><a name="rub2"></a>
<h1>Port série RS232</h1>
<p>Cette fenêtre choisit le port série du PC sur lequel le cordon de la boussole est branché :
<b>COM 1</b> ou <b>COM2</b>.</p>
<ol>
<li>Cochez le port voulu.</li>
<li>Cliquez sur <b>OK</b> (fermer la fenêtre revient au même).</li>
</ol>
<p>Le port choisi est ouvert dès le retour à la fenêtre principale et enregistré pour les
prochaines fois. Le choix du port se fait avant d'activer la communication série : une fois la
liaison établie, la commande n'est plus disponible.</p>
<p class="retour"><a href="#som">Retour au sommaire</a></p>
</div>
)";

const char kGraphicsTopic[] = R"(
<div class="rubrique" id="rub4"><a name="rub4"></a>
<h1>Options graphiques</h1>
<p>Cette fenêtre règle l'aspect de la boussole dessinée dans la fenêtre principale.</p>
<table>
<tr><th>Réglage</th><th>Choix</th></tr>
<tr><td>Epaisseur aiguille boussole</td><td>Fine, Moyenne ou Grande : la largeur de
l'aiguille</td></tr>
<tr><td>Longueur aiguille boussole</td><td>Courte, Moyenne ou longue : la longueur de
l'aiguille</td></tr>
<tr><td>Rose des vents</td><td>coché : cadran avec une rose des vents à seize pointes ; non
coché : cadran simple</td></tr>
<tr><td>Cercle central</td><td>coché : un disque gris recouvre le centre de l'aiguille</td></tr>
</table>
<p>Cliquez sur <b>OK</b> (ou fermez la fenêtre) : les nouveaux réglages s'appliquent dès la
mesure suivante. Ces options sont disponibles une fois la liaison établie.</p>
<p class="retour"><a href="#som">Retour au sommaire</a></p>
</div>
)";

const char kMenuStyleTopic[] = R"(
<div class="rubrique" id="rub5"><a name="rub5"></a>
<h1>Types de menus déroulant</h1>
<p>Cette fenêtre choisit l'apparence des menus et de la barre d'outils :</p>
<ul>
<li><b>Menus de type Microsoft Office XP</b> : menus plats et modernes, avec les icônes dans une
bande colorée et une surbrillance encadrée ;</li>
<li><b>Menus de type conventionnel</b> : les menus habituels du système.</li>
</ul>
<p>Cochez le type voulu puis cliquez sur <b>OK</b> (ou fermez la fenêtre) ; le changement
s'applique au retour à la fenêtre principale.</p>
<p class="retour"><a href="#som">Retour au sommaire</a></p>
</div>
)";

const char kCalibrationTopic[] = R"(
<div class="rubrique" id="rub6"><a name="rub6"></a>
<h1>Etalonnage de la boussole</h1>
<p>L'étalonnage apprend à la boussole son environnement magnétique. Il se fait en quatre phases,
dans cet ordre : <b>SUD</b>, <b>EST</b>, <b>NORD</b>, <b>OUEST</b>. Faites-le à la mise en
service, puis chaque fois que le module change de place.</p>
<p class="attention">Répondre <b>Oui</b> à la question de départ efface les anciens paramètres
d'étalonnage de la boussole.</p>
<ol>
<li>Choisissez <span class="menu">Boussole &gt; Etalonnage de la boussole</span> et confirmez.
Le panneau d'étalonnage remplace le cadran.</li>
<li>Phase 1 : tournez la boussole vers le <b>sud</b>, comme le montre l'image, puis cliquez sur le
bouton <b>1</b>.</li>
<li>Patientez pendant l'envoi de la commande (« Veuillez patienter... »).</li>
<li>Faites de même vers l'<b>est</b> (bouton <b>2</b>), le <b>nord</b> (bouton <b>3</b>) et
l'<b>ouest</b> (bouton <b>4</b>). La barre d'état rappelle à chaque fois la direction
attendue.</li>
<li>Le message « Félicitations » annonce la fin de la procédure ; le cadran revient.</li>
</ol>
<p class="note">Tenez le module bien à plat, loin des objets métalliques et des appareils
électriques, et servez-vous d'une boussole de référence pour viser chaque direction. Une fois la
procédure commencée, on ne peut l'interrompre qu'en quittant le programme. Après l'étalonnage,
procédez au <a href="#rub7">centrage du zéro</a>.</p>
<p class="retour"><a href="#som">Retour au sommaire</a></p>
</div>
)";

const char kCentringTopic[] = R"(
<div class="rubrique" id="rub7"><a name="rub7"></a>
<h1>Centrage du zéro (NORD)</h1>
<p>Le centrage corrige le petit écart qui reste entre le nord indiqué par la boussole et le nord
réel, afin que le module tourné vers le nord affiche exactement le nord.</p>
<ol>
<li>Faites d'abord l'<a href="#rub6">étalonnage</a>.</li>
<li>Si un centrage existe déjà, cliquez d'abord sur <b>RAZ centrage</b>, puis rouvrez cette
fenêtre.</li>
<li>Avec l'aide d'une boussole de référence, tournez le module Ventrose vers le
<b>nord</b>.</li>
<li>Cliquez sur <b>Activer le centrage</b>.</li>
</ol>
<p>L'écart peut atteindre 20° au plus ; au-delà, le centrage est refusé (refaites alors
l'étalonnage). <b>RAZ centrage</b> efface la correction ; <b>Sortir</b> ferme la fenêtre en
gardant les anciens paramètres.</p>
<p class="note">Le centrage se fait avec une déclinaison magnétique nulle : si une déclinaison
est réglée, le programme propose de la remettre à zéro avant d'ouvrir cette fenêtre. Réglez-la
ensuite de nouveau si besoin (voir <a href="#rub8">Déclinaison magnétique</a>). Les nouveaux paramètres sont envoyés à la boussole
à la fermeture de la fenêtre.</p>
<p class="retour"><a href="#som">Retour au sommaire</a></p>
</div>
)";

const char kDeclinationTopic[] = R"(
<div class="rubrique" id="rub8"><a name="rub8"></a>
<h1>Déclinaison magnétique</h1>
<p>La boussole montre le nord <b>magnétique</b>, qui diffère du nord <b>géographique</b> des
cartes. L'angle entre les deux est la déclinaison magnétique ; il dépend du lieu et change
lentement d'année en année. Vous le trouverez sur les cartes topographiques récentes ou auprès
des services de géodésie. En saisissant cette déclinaison, le cap affiché se rapporte au nord
géographique.</p>
<ol>
<li>Dans <b>Cardinal de la déclinaison</b>, choisissez <b>OUEST</b> si le nord magnétique est à
l'ouest du nord géographique (déclinaison négative), <b>EST</b> s'il est à l'est (déclinaison
positive). L'image illustre le cas choisi.</li>
<li>Dans <b>Plage de réglage</b>, choisissez la valeur maximale du curseur : 3, 5, 7 ou 10
degrés.</li>
<li>Réglez la déclinaison en degrés avec le curseur. Le texte rouge rappelle la valeur choisie et
son signe.</li>
<li>Cliquez sur <b>OK</b> (ou fermez la fenêtre) : la déclinaison est enregistrée et envoyée à la
boussole.</li>
</ol>
<p>La barre d'état de la fenêtre principale affiche la déclinaison en cours (« DM »), négative à
l'ouest et positive à l'est.</p>
<p class="note">Vous ne connaissez pas la déclinaison de votre lieu ? Le cadre
<b>Calculer pour un lieu</b>, à droite de la fenêtre, la calcule d'après la latitude, la
longitude et la date (voir <a href="#declinaison-lieu">Calculer la déclinaison pour un
lieu</a>).</p>
<p class="retour"><a href="#som">Retour au sommaire</a></p>
</div>
)";

const char kSoftwareTopic[] = R"(
<div class="rubrique" id="rub9"><a name="rub9"></a>
<h1>Options logicielles</h1>
<p>Ces options concernent seulement le programme sur le PC ; rien n'est envoyé à la boussole.
Cochez une case pour activer l'option :</p>
<table>
<tr><th>Option</th><th>Effet</th></tr>
<tr><td>Message d'avertissement avant lancement de la liaison série</td><td>rappelle de brancher
le cordon RS232 et d'allumer la boussole avant la liaison</td></tr>
<tr><td>Arrêt du programme avec message d'information</td><td>confirme, en quittant, que la
boussole passe en fonctionnement autonome</td></tr>
<tr><td>Affichage des degrés (CAP et aiguille rouge)</td><td>affiche le cap et l'orientation de
l'aiguille rouge en degrés</td></tr>
<tr><td>Affichage de la direction (CAP et aiguille rouge)</td><td>affiche les mêmes directions en
toutes lettres</td></tr>
<tr><td>Infos bulles</td><td>affiche une bulle d'explication quand la souris passe sur une
indication</td></tr>
<tr><td>Effets sonores</td><td>joue les sons du programme (liaison établie, échec, étalonnage, A
propos)</td></tr>
</table>
<p>Cliquez sur <b>OK</b> (ou fermez la fenêtre) pour enregistrer vos choix.</p>
<p class="retour"><a href="#som">Retour au sommaire</a></p>
</div>
)";

const char kHardwareTopic[] = R"(
<div class="rubrique" id="rub10"><a name="rub10"></a>
<h1>Options matérielles</h1>
<p>Ces options configurent le module boussole lui-même ; elles lui sont envoyées à la fermeture
de la fenêtre. Cochez une case pour activer l'option :</p>
<table>
<tr><th>Option</th><th>Effet</th></tr>
<tr><td>Afficheur LCD</td><td>un afficheur LCD est branché sur le module ; permet de choisir ce
qu'il affiche</td></tr>
<tr><td>Affichage CAP sur LCD / Affichage AIGUILLE ROUGE sur LCD</td><td>coché : l'afficheur
montre votre cap ; non coché : l'orientation de l'aiguille rouge</td></tr>
<tr><td>Calcul de la moyenne à partir des mesures brutes</td><td>le module lisse ses mesures en
faisant la moyenne de plusieurs relevés</td></tr>
<tr><td>Liaison série annexe pour développement personnel</td><td>active la seconde liaison
série du module, pour vos propres montages</td></tr>
<tr><td>Boussole par affichage LEDS</td><td>le module indique la direction sur sa couronne de
LED</td></tr>
<tr><td>Fréquence secteur</td><td>non coché : 50 Hz (F= 50Hz) ; coché : 60 Hz (F= 60Hz), selon
le réseau électrique du pays</td></tr>
</table>
<p>Cliquez sur <b>OK</b> (ou fermez la fenêtre) : les options sont enregistrées et transmises à
la boussole.</p>
<p class="retour"><a href="#som">Retour au sommaire</a></p>
</div>
)";

const char kLogTopic[] = R"(
<div class="rubrique" id="journal"><a name="journal"></a>
<h1>Journal du cap</h1>
<p>La fenêtre <span class="menu">Boussole &gt; Journal du cap...</span> montre votre cap
(« CAP ») au fil du temps, sur la dernière minute, les 10 dernières minutes ou la dernière heure
(liste <b>Durée affichée</b>). La courbe avance en direct tant que la fenêtre est ouverte ; elle
est coupée quand le cap passe d'un bord du graphique à l'autre (de 359° à 0° par exemple) et
quand les mesures s'interrompent. L'échelle des caps se centre d'elle-même sur le cap moyen.</p>
<p>À droite de la courbe, sur la durée affichée :</p>
<table>
<tr><th>Indication</th><th>Signification</th></tr>
<tr><td>Cap moyen</td><td>la moyenne des caps prise sur le cercle : 359° et 1° donnent 0°, et non
180°. Un tiret s'affiche quand les caps se compensent (répartis tout autour du cercle, ou deux
caps opposés).</td></tr>
<tr><td>Écart type</td><td>l'écart type circulaire, en degrés : 0 pour un cap parfaitement
stable, de plus en plus grand à mesure que le cap varie</td></tr>
<tr><td>Mesures</td><td>le nombre de mesures reçues sur la durée affichée</td></tr>
</table>
<p class="note">La fenêtre ne retient les mesures que tant qu'elle est ouverte, et au plus une
heure de mesures : fermée, elle ne coûte rien à la liaison.</p>

<h2>Enregistrer les mesures</h2>
<p>Cliquez sur <b>Enregistrer</b> et choisissez un fichier (par défaut
journal-AAAAMMJJ-HHMMSS.csv dans le dossier d'installation) : chaque mesure reçue y est ajoutée
jusqu'à ce que vous cliquiez sur <b>Arrêter</b>, même fenêtre fermée. Le fichier CSV s'ouvre
dans un tableur ; il commence par une ligne d'en-tête, puis une ligne par mesure :</p>
<table>
<tr><th>Colonne</th><th>Contenu</th></tr>
<tr><td>heure_utc</td><td>l'heure de la mesure en temps universel, à la milliseconde
(2026-03-14T09:26:53.589Z)</td></tr>
<tr><td>brut</td><td>la valeur envoyée par la boussole, de 0 à 254</td></tr>
<tr><td>LastRawAngle</td><td>cette valeur en degrés, avant toute correction</td></tr>
<tr><td>cap</td><td>votre cap, comme l'affiche « Votre CAP »</td></tr>
<tr><td>aiguille</td><td>l'orientation de l'aiguille rouge</td></tr>
<tr><td>centrage, declinaison</td><td>le centrage du zéro et la déclinaison appliqués, avec leur
signe</td></tr>
</table>
<p>Les lignes sont écrites au fur et à mesure : un arrêt brutal du programme ne perd au plus que
la dernière seconde. Si le fichier ne peut plus être écrit (disque plein, droits insuffisants),
un message le signale une fois et l'enregistrement s'arrête ; la liaison avec la boussole
continue.</p>
<p><b>Exporter l'image...</b> enregistre le graphique dans un fichier PNG.</p>

<h2>Rejouer un journal</h2>
<p>Lancé avec <code>ventrose --replay fichier.csv</code>, le programme remplace la boussole par
une boussole simulée qui rejoue les mesures du journal à leur rythme d'origine, dès
l'activation de la communication : l'aiguille refait ce qu'elle avait fait. Un fichier qui n'est
pas un journal est refusé, avec le numéro de la ligne fautive. Avec
<code>ventrose --log fichier.csv</code>, l'enregistrement commence dès le début de la
communication, sans ouvrir la fenêtre.</p>
<p class="retour"><a href="#som">Retour au sommaire</a></p>
</div>
)";

const char kPlaceTopic[] = R"(
<div class="rubrique" id="declinaison-lieu"><a name="declinaison-lieu"></a>
<h1>Calculer la déclinaison pour un lieu</h1>
<p>Le cadre <b>Calculer pour un lieu</b> de la fenêtre
<a href="#rub8">Déclinaison magnétique</a> calcule la déclinaison de votre lieu avec le modèle
magnétique mondial <b>WMM2025</b> (World Magnetic Model de la NOAA et du British Geological
Survey), que le programme contient : aucune connexion n'est nécessaire.</p>
<ol>
<li>Saisissez la <b>latitude</b> et la <b>longitude</b> du lieu (voir les écritures
ci-dessous).</li>
<li>Choisissez la <b>date</b> : aujourd'hui par défaut. La déclinaison change un peu chaque
année.</li>
<li>Cliquez sur <b>Calculer</b> (ou appuyez sur Entrée dans un champ). Le cadre affiche la
déclinaison au dixième de degré, EST ou OUEST, suivie de son incertitude, et ce que
<b>Appliquer</b> réglera.</li>
<li>Cliquez sur <b>Appliquer</b> : le côté (EST ou OUEST), la valeur affichée arrondie au degré
le plus proche (une moitié vers le haut : 2,4° donne 2°, 2,5° donne 3°) et la plus
petite plage de réglage qui la contient (3, 5, 7 ou 10) sont réglés dans la fenêtre, comme si
vous l'aviez fait vous-même. Cliquez ensuite sur <b>OK</b> : la déclinaison est enregistrée et
envoyée à la boussole.</li>
</ol>
<p>Le dernier lieu calculé est retenu pour la prochaine fois.</p>

<h2>Écrire la latitude et la longitude</h2>
<table>
<tr><th>Écriture</th><th>Exemple (Paris)</th></tr>
<tr><td>degrés décimaux, nord et est positifs</td><td>48.8566 et 2.3522 (ou 48,8566 et
2,3522)</td></tr>
<tr><td>degrés et minutes, avec N ou S, E ou O (W)</td><td>48 51.4 N et 2 21.1 E</td></tr>
<tr><td>degrés, minutes et secondes</td><td>48°51'24" N et 2°21'08" E</td></tr>
</table>
<p>Au sud, la latitude est négative (ou suivie de S) ; à l'ouest, la longitude est négative (ou
suivie de O ou W).</p>

<h2>Ce que le calcul suppose</h2>
<ul>
<li>La latitude et la longitude sont <b>géodésiques</b>, sur l'ellipsoïde WGS84 : celles d'un
GPS et des cartes récentes.</li>
<li>Le lieu est pris à l'<b>altitude 0</b> au-dessus de l'ellipsoïde. En montagne comme en
bord de mer, l'écart est bien plus petit que l'incertitude du modèle.</li>
<li>Le modèle décrit le champ de la Terre entière ; il ne connaît pas les perturbations
locales (roches magnétiques, constructions métalliques, véhicules).</li>
<li>L'incertitude affichée est l'erreur type du modèle à ce lieu : environ deux fois sur trois,
l'écart réel est plus petit. Elle grandit à l'approche des pôles magnétiques.</li>
</ul>

<h2>Avertissements</h2>
<table>
<tr><th>Avertissement</th><th>Signification</th></tr>
<tr><td>date hors de la période de validité</td><td>WMM2025 vaut du 1er janvier 2025 au
31 décembre 2029 ; ailleurs, la valeur n'est qu'une extrapolation, montrée sans incertitude :
rien n'est appliqué.</td></tr>
<tr><td>zone de prudence</td><td>près d'un pôle magnétique, le champ horizontal est faible (moins
de 6000 nT) : une boussole y est peu sûre.</td></tr>
<tr><td>zone interdite</td><td>plus près encore (moins de 2000 nT), une boussole n'indique rien
de sûr : rien n'est appliqué.</td></tr>
<tr><td>plus de 10°</td><td>la boussole ne reçoit pas de déclinaison au-delà de 10° : quand la
valeur arrondie dépasse 10° (à partir de 10,5°), elle reçoit 10° du même côté, et le partage du
cap (NMEA 0183) la valeur du lieu au dixième.</td></tr>
</table>

<h2>En ligne de commande</h2>
<p><span class="menu">ventrose --declination LAT LON [AAAA-MM-JJ] [--altitude KM]</span> écrit la
déclinaison en degrés (positive à l'est, deux décimales) suivie de son incertitude, sans ouvrir
de fenêtre ; les avertissements vont sur la sortie d'erreur. Une date hors de la période de
validité est refusée, sauf avec <span class="menu">--extrapolate</span>.</p>
<p class="retour"><a href="#som">Retour au sommaire</a></p>
</div>
)";

const char kShareTopic[] = R"(
<div class="rubrique" id="partage"><a name="partage"></a>
<h1>Partage du cap (NMEA 0183)</h1>
<p>Ventrose peut transmettre le cap mesuré aux logiciels de navigation (traceurs de cartes,
gpsd, serveurs Signal K, pilotes automatiques) sous forme de phrases NMEA 0183, à chaque mesure
valable reçue pendant la liaison. Rien n'est envoyé tant que la liaison n'est pas établie, ni
après sa perte : un cap périmé serait pire que pas de cap du tout.</p>
<table>
<tr><th>Phrase</th><th>Contenu</th></tr>
<tr><td>$HCHDM</td><td>le cap magnétique : votre cap avec le centrage du zéro, sans la
déclinaison</td></tr>
<tr><td>$HCHDG</td><td>le même cap magnétique, sans déviation, avec la déclinaison réglée comme
variation (E pour est, W pour ouest)</td></tr>
<tr><td>$HCHDT</td><td>le cap vrai, celui qu'affiche « Votre CAP » (déclinaison
appliquée) ; envoyé seulement si la case du cap vrai est cochée</td></tr>
</table>
<h2>Les sorties</h2>
<table>
<tr><th>Sortie</th><th>Réglage</th></tr>
<tr><td>UDP vers l'hôte</td><td>chaque phrase part en datagramme vers l'hôte et le port
indiqués (par défaut 127.0.0.1, port 10110) ; une adresse de diffusion (par exemple
192.168.1.255) atteint tout le réseau local</td></tr>
<tr><td>Serveur TCP</td><td>les logiciels se connectent à l'adresse et au port indiqués (par
défaut 127.0.0.1, port 10110 : ce PC seulement ; 0.0.0.0 ouvre le serveur au réseau). Huit
clients au plus ; un client qui ne lit plus ses données est déconnecté, sans jamais retenir
les autres</td></tr>
<tr><td>Pseudo-terminal</td><td>pour les logiciels qui ne lisent qu'un port série : le lien
<b>NMEA</b> du dossier d'installation mène au terminal ; réglez le logiciel sur ce fichier, à
4800 ou 38400 bauds</td></tr>
</table>
<p>Cochez <b>Envoyer aussi le cap vrai (HDT)</b> seulement si la
<a href="#rub8">déclinaison magnétique</a> réglée est bien celle du lieu où vous êtes.</p>
<p>Le cadre <b>En direct</b> montre la dernière phrase envoyée et le nombre de clients TCP
connectés. Cliquez sur <b>OK</b> (ou fermez la fenêtre) : les sorties s'ouvrent ou se ferment
aussitôt, et vos choix sont enregistrés dans le fichier Ventrose.conf du dossier
d'installation.</p>
<p class="note">Un port déjà pris, un hôte introuvable ou un client trop lent est signalé dans
la barre d'état, sans interrompre la boussole. Cliquez de nouveau sur <b>OK</b> pour réessayer
une sortie qui n'a pas pu s'ouvrir.</p>
<p class="retour"><a href="#som">Retour au sommaire</a></p>
</div>
)";

const char kSwingTopic[] = R"(
<div class="rubrique" id="regulation"><a name="regulation"></a>
<h1>Régulation du compas</h1>
<p>Installé à bord, le compas lit faux d'un angle qui dépend du cap : c'est la déviation, due
aux fers et aux courants du bateau. L'étalonnage en quatre phases la réduit sans l'annuler. La
régulation la mesure : vous prenez plusieurs caps, et à chacun Ventrose compare le cap du compas
à un cap magnétique connu ; il en déduit la courbe de déviation et la carte à garder près du
compas.</p>
<p>La déviation δ est positive vers l'est : cap magnétique = cap compas + δ. Sa courbe est
δ(θ) = A + B sin θ + C cos θ + D sin 2θ + E cos 2θ, θ le cap compas, avec les cinq coefficients
classiques de la compensation.</p>
<p class="note">Le cap compas de la régulation est celui de la boussole avant le centrage du
zéro et la déclinaison : il ne change pas quand vous modifiez ces réglages, et la carte reste
juste. Sans centrage ni déclinaison, c'est « Votre CAP ».</p>

<h2>Relever un point</h2>
<table>
<tr><th>Étape</th><th>Ce qu'il faut faire</th></tr>
<tr><td>1. la référence</td><td>choisissez d'où vient le cap magnétique : un
<b>relèvement magnétique</b> tapé (alignement, amer, compas de relèvement) ; un
<b>relèvement vrai</b> tapé (pris sur la carte), converti en magnétique avec la déclinaison des
réglages ou celle du lieu calculée par le <a href="#declinaison-lieu">calcul de la
déclinaison</a> ; ou la <b>route fond GNSS</b>, convertie en magnétique, acceptée seulement
quand le récepteur indique une vitesse et une route stables</td></tr>
<tr><td>2. le cap</td><td>tenez le cap et cliquez sur <b>Relever</b> : pendant trois secondes,
Ventrose fait la moyenne circulaire des mesures du compas</td></tr>
<tr><td>3. le point</td><td>le point s'ajoute au tableau ; il est refusé, avec la raison, si
le cap a varié de plus de 2° (écart type) ou si aucune mesure n'est arrivée</td></tr>
</table>
<p>Pour retirer un point, sélectionnez sa ligne et cliquez sur <b>Supprimer le point</b>.</p>

<h2>La carte</h2>
<p>Après chaque changement, les coefficients A à E sont recalculés par les moindres carrés,
avec l'écart quadratique moyen (RMS) des résidus. Il faut au moins cinq points à des caps
différents, sans arc de plus de 90° sans point ; sinon la fenêtre dit ce qui manque. Huit
points aux caps cardinaux et intercardinaux suffisent. Un point dont le résidu dépasse trois
fois le RMS est marqué <b>aberrant</b> : vérifiez-le ou refaites-le.</p>
<p>La courbe montre la déviation selon le cap compas, les points et leurs résidus ; la table
donne la déviation et le cap magnétique tous les 15°. <b>Exporter en CSV</b> écrit la table
(colonnes compass, deviation, magnetic, en degrés avec un point décimal) ; <b>Exporter en
PDF</b> écrit une page A4 à imprimer : titre, date, lieu, coefficients, table et courbe.</p>

<h2>Appliquer la carte</h2>
<p>Les cases <b>à la sortie du cap</b>, <b>au journal du cap</b> et <b>au cap affiché</b>
choisissent où la carte corrige le cap ; aucune n'est cochée au départ.</p>
<p class="note">Les points, les coefficients, la date, le lieu et ces choix sont enregistrés
dans le fichier Ventrose.conf du dossier d'installation dès qu'ils changent. Un enregistrement
impossible est signalé dans la fenêtre ; la régulation vaut alors jusqu'à l'arrêt du
programme.</p>
<p class="retour"><a href="#som">Retour au sommaire</a></p>
</div>
)";

} // namespace

QByteArray helpFile(std::string_view language) {
    const struct {
        std::string_view code;
        QByteArray (*page)();
    } pages[] = {{"fr", frenchHelpFile}, {"en", englishHelpFile}};
    for (const auto &page : pages)
        if (page.code == language)
            return page.page();
    return {};
}

QByteArray frenchHelpFile() {
    return helpPage("fr", "Aide de Ventrose",
                    {kMainTopic, kPortTopic, kGraphicsTopic, kMenuStyleTopic, kCalibrationTopic,
                     kCentringTopic, kDeclinationTopic, kSoftwareTopic, kHardwareTopic, kLogTopic,
                     kPlaceTopic, kShareTopic, kSwingTopic});
}

} // namespace datagen
