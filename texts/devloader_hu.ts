<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="hu_HU">
<context>
    <name>MainWindow</name>
    <message>
        <source>Open</source>
        <translation>Megnyitás</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Mentés</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Kilépés</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Névjegy</translation>
    </message>
    <message>
        <source>Read from Device</source>
        <translation>Kiolvasás az eszközből</translation>
    </message>
    <message>
        <source>Download into Device</source>
        <translation>Betöltés az eszközbe</translation>
    </message>
    <message>
        <source>Contents</source>
        <translation>Tartalom</translation>
    </message>
    <message>
        <source>Reset device to factory defaults</source>
        <translation>Gyári beállítások visszatöltése</translation>
    </message>
    <message>
        <source>Device ID</source>
        <translation>Készülék ID</translation>
    </message>
    <message>
        <source>Test code interval</source>
        <translation>Tesztkód időköz</translation>
    </message>
    <message>
        <source>Lead-out chars</source>
        <translation>Lezáró karakterek</translation>
    </message>
    <message>
        <source>Lead-in chars</source>
        <translation>Bevezető karakterek</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Komm. formátum</translation>
    </message>
    <message>
        <source>GPRS mode</source>
        <translation>GPRS mód</translation>
    </message>
    <message>
        <source>Base IP restore</source>
        <translation>BázisIP visszaállás</translation>
    </message>
    <message>
        <source>SMS/Voice restore</source>
        <translation>SMS/Voice visszaállás</translation>
    </message>
    <message>
        <source>(min)</source>
        <translation>(perc)</translation>
    </message>
    <message>
        <source>(min, max. 240)</source>
        <translation>(perc, max. 240)</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Általános</translation>
    </message>
    <message>
        <source>Auto test code</source>
        <translation>Aut. teszt kód</translation>
    </message>
    <message>
        <source>Restart code</source>
        <translation>Restart kód</translation>
    </message>
    <message>
        <source>Panic code</source>
        <translation>Pánikgomb kód</translation>
    </message>
    <message>
        <source>Input 1 code</source>
        <translation>Bemenet 1 kód</translation>
    </message>
    <message>
        <source>Input 2 code</source>
        <translation>Bemenet 2 kód</translation>
    </message>
    <message>
        <source>Input 3 code</source>
        <translation>Bemenet 3 kód</translation>
    </message>
    <message>
        <source>Manual test code</source>
        <translation>Kézi tesztkód</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Be</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Ki</translation>
    </message>
    <message>
        <source>Group number</source>
        <translation>Csoportszám</translation>
    </message>
    <message>
        <source>Zone number</source>
        <translation>Zónaszám</translation>
    </message>
    <message>
        <source>Start code</source>
        <translation>Start kód</translation>
    </message>
    <message>
        <source>Inputs</source>
        <translation>Bemenetek</translation>
    </message>
    <message>
        <source>Output 1 on</source>
        <translation>Ki 1 be SMS parancs</translation>
    </message>
    <message>
        <source>Output 1 off</source>
        <translation>Ki 1 ki SMS parancs</translation>
    </message>
    <message>
        <source>Output 2 on</source>
        <translation>Ki 2 be SMS parancs</translation>
    </message>
    <message>
        <source>Output 2 off</source>
        <translation>Ki 2 ki SMS parancs</translation>
    </message>
    <message>
        <source>Output 3 on</source>
        <translation>Ki 3 be SMS parancs</translation>
    </message>
    <message>
        <source>1st relay trigger time</source>
        <translation>1-es kimenet meghúzási idő</translation>
    </message>
    <message>
        <source>1st relay off (number of dial)</source>
        <translation>1-es kimenet kikapcs. cseng.szám</translation>
    </message>
    <message>
        <source>1st relay on (number of dial)</source>
        <translation>1-es kimenet bekapcs. cseng.szám</translation>
    </message>
    <message>
        <source>Output 3 off</source>
        <translation>Ki 3 ki SMS parancs</translation>
    </message>
    <message>
        <source>(sec)</source>
        <translation>(mp)</translation>
    </message>
    <message>
        <source>(pcs)</source>
        <translation>(darab)</translation>
    </message>
    <message>
        <source>Outputs</source>
        <translation>Kimenetek</translation>
    </message>
    <message>
        <source>Secondary IP</source>
        <translation>Másodlagos IP-cím</translation>
    </message>
    <message>
        <source>Base IP</source>
        <translation>Bázis IP-cím</translation>
    </message>
    <message>
        <source>Other</source>
        <translation>Egyéni</translation>
    </message>
    <message>
        <source>off</source>
        <translation>ki</translation>
    </message>
    <message>
        <source>on</source>
        <translation>be</translation>
    </message>
    <message>
        <source>GPRS settings</source>
        <translation>GPRS beállítások</translation>
    </message>
    <message>
        <source>SMS</source>
        <translation>SMS küldés:</translation>
    </message>
    <message>
        <source>SMS number 3</source>
        <translation>SMS telefonszám 3</translation>
    </message>
    <message>
        <source>SMS number 2</source>
        <translation>SMS telefonszám 2</translation>
    </message>
    <message>
        <source>SMS number 1</source>
        <translation>SMS telefonszám 1</translation>
    </message>
    <message>
        <source>SMS forbid time</source>
        <translation>SMS tiltási idő</translation>
    </message>
    <message>
        <source>Max. number of SMS</source>
        <translation>Max. SMS-ek száma</translation>
    </message>
    <message>
        <source>SMS settings</source>
        <translation>SMS beállítások</translation>
    </message>
    <message>
        <source>Voice number 2</source>
        <translation>Voice telefonszám 2</translation>
    </message>
    <message>
        <source>Voice number 1</source>
        <translation>Voice telefonszám 1</translation>
    </message>
    <message>
        <source>Voice settings</source>
        <translation>Voice beállítások</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>Eszköz</translation>
    </message>
    <message>
        <source>Port Settings</source>
        <translation>Port beállítása</translation>
    </message>
    <message>
        <source>Get Status</source>
        <translation>Állapot lekérdezése</translation>
    </message>
    <message>
        <source>Outputs</source>
        <comment>device panel</comment>
        <translation>Kimenetek:</translation>
    </message>
    <message>
        <source>Inputs</source>
        <comment>device panel</comment>
        <translation>Bemenetek:</translation>
    </message>
    <message>
        <source>Signal</source>
        <translation>Térerő</translation>
    </message>
    <message>
        <source>Panic input</source>
        <translation>Pánik bemenet:</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Beállítások</translation>
    </message>
    <message>
        <source>Varnidex 700/800 downloader software v7.04</source>
        <translation>Varnidex 700/800 letöltő szoftver v7.04</translation>
    </message>
    <message>
        <source>No file.</source>
        <translation>Nincs megnyitott fájl.</translation>
    </message>
    <message>
        <source>Error! Cannot open the documentation.</source>
        <translation>Hiba! A dokumentáció nem nyitható meg.</translation>
    </message>
    <message>
        <source>Open file</source>
        <translation>Fájl megnyitása</translation>
    </message>
    <message>
        <source>File error</source>
        <translation>File hiba</translation>
    </message>
    <message>
        <source>Cannot find the handshake file, only default values are available.</source>
        <translation>A handshake.dll file nem található, így csak az alapértelmezett érték érhető el.</translation>
    </message>
    <message>
        <source>Download error.</source>
        <translation>Betöltés hiba.</translation>
    </message>
    <message>
        <source>Incorrect handshake values.</source>
        <translation>A handshake értékek hibásak.</translation>
    </message>
    <message>
        <source>All fields must be filled.</source>
        <translation>Az összes mező kitöltése kötelező.</translation>
    </message>
    <message>
        <source>A number is out of range and cannot be sent to the device.</source>
        <translation>Egy szám a megengedett tartományon kívül esik, ezért nem küldhető az eszközre.</translation>
    </message>
    <message>
        <source>Incorrect IP address. An IP address must be four numbers from 0 to 255, separated by dots.</source>
        <translation>Hibás IP cím. Az IP címnek négy, pontokkal elválasztott, 0 és 255 közötti számból kell állnia.</translation>
    </message>
    <message>
        <source>A field contains a character that cannot be sent to the device.</source>
        <translation>Egy mező olyan karaktert tartalmaz, amely nem küldhető az eszközre.</translation>
    </message>
    <message>
        <source>A number field must hold a whole number.</source>
        <translation>Egy számmezőben csak egész szám állhat.</translation>
    </message>
    <message>
        <source>A text cannot contain the character #, which the device takes as the end of the text.</source>
        <translation>A szöveg nem tartalmazhatja a # karaktert, mert az eszköz azt a szöveg végének tekinti.</translation>
    </message>
    <message>
        <source>A code must have three digits.</source>
        <translation>A kódnak három számjegyből kell állnia.</translation>
    </message>
    <message>
        <source>A code cannot be sent without its one-digit qualifier.</source>
        <translation>Egy kód nem küldhető el az egyjegyű minősítője nélkül.</translation>
    </message>
    <message>
        <source>These values of the device do not fit their fields, which were left empty:</source>
        <translation>Az eszköz alábbi értékei nem férnek el a mezőjükben, ezért ezek a mezők üresen maradtak:</translation>
    </message>
    <message>
        <source>Cannot save the file. Tip: check that the folder can be written.</source>
        <translation>A fájl nem menthető. Tipp: ellenőrizze, hogy a mappa írható-e.</translation>
    </message>
    <message>
        <source>Save was successful.</source>
        <translation>Sikeres mentés.</translation>
    </message>
    <message>
        <source>The selected file does not exist.</source>
        <translation>A kiválasztott fájl nem létezik.</translation>
    </message>
    <message>
        <source>Cannot open the selected file. Tip: check file syntax.</source>
        <translation>Nem lehet megnyitni a fájlt. Tipp: ellenőrizze a fájl szintaxisát.</translation>
    </message>
    <message>
        <source>Input Error</source>
        <translation>Beviteli hiba</translation>
    </message>
    <message>
        <source>Only numbers!</source>
        <translation>Csak számok adhatóak meg!</translation>
    </message>
    <message>
        <source>Please enter a valid telephone number!</source>
        <translation>Csak helyes telefonszám adható meg!</translation>
    </message>
    <message>
        <source>Please enter a valid IP address!</source>
        <translation>Csak helyes IP cím adható meg!</translation>
    </message>
    <message>
        <source>Max value: 240</source>
        <translation>Az érték maximum 240 lehet!</translation>
    </message>
    <message>
        <source>Max value: 255</source>
        <translation>A mezo maximális értéke 255 lehet!</translation>
    </message>
    <message>
        <source>Unknown device! (</source>
        <translation>Ismeretlen eszköz! (</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Hiba</translation>
    </message>
    <message>
        <source>Really want to restore to factory defaults?
This operation will overwrite all previously stored data &amp; config on the device!</source>
        <translation>Biztosan visszaállítja a gyári memória tartalmat?
Ez a művelet felülír minden eddigi belállítást!</translation>
    </message>
    <message>
        <source>Please choose your device!</source>
        <translation>Válasszon eszközt!</translation>
    </message>
    <message>
        <source>Successfully restored to factory defaults.

Warning: the actual data of the inputs may vary from the factory defaults values so please Read from Device to reload.</source>
        <translation>A gyári beállítások sikeresen visszaállítva.

Figyelem: a mezők aktuális tartalma eltérhet a gyári értékektől, a frissítéshez kérem olvassa ki az adatokat az eszközből!</translation>
    </message>
    <message>
        <source>Cannot restore the device. Please try again.</source>
        <translation>Sikertelen visszaállítás.</translation>
    </message>
    <message>
        <source>Please Wait...</source>
        <translation>Várjon!...</translation>
    </message>
    <message>
        <source>Getting status &amp; information...</source>
        <translation>Állapot lekérdezése...</translation>
    </message>
    <message>
        <source>Status error.
Please check the device!</source>
        <translation>Sikertelen lekérdezés.
Ellenőrizze az eszközt!</translation>
    </message>
</context>
<context>
    <name>dload</name>
    <message>
        <source>Success!</source>
        <translation>Sikeres betöltés.</translation>
    </message>
    <message>
        <source>Download error.
Tip: Check device and port settings.</source>
        <translation>Betöltés hiba.
Tipp: ellenőrizze az eszközt és a port beállítást, majd ismételje meg a betöltést.</translation>
    </message>
</context>
<context>
    <name>upload</name>
    <message>
        <source>Success!</source>
        <translation>Sikeres kiolvasás.</translation>
    </message>
    <message>
        <source>Read error.
Tip: check device and port settings.</source>
        <translation>Kiolvasás hiba.
Tipp: ellenőrizze az eszközt és a port beállítást.</translation>
    </message>
</context>
<context>
    <name>about</name>
    <message>
        <source>Varnidex 700/800 downloader software v7.04</source>
        <translation>Varnidex 700/800 letöltő szoftver v7.04</translation>
    </message>
</context>
<context>
    <name>help</name>
    <message>
        <source>ERROR: cannot open the help file.</source>
        <translation>HIBA: nem lehet megnyitni a help fájlt.</translation>
    </message>
</context>
<context>
    <name>setcom</name>
    <message>
        <source>Error</source>
        <translation>Hiba</translation>
    </message>
    <message>
        <source>Cannot find the device.</source>
        <translation>Az eszköz nem nem található.</translation>
    </message>
    <message>
        <source>Set Port</source>
        <translation>Port beállítása</translation>
    </message>
    <message>
        <source>The device is available on the following port:

</source>
        <translation>Az eszköz a következő porton elérhető:

</translation>
    </message>
</context>
</TS>
