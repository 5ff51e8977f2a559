// The texts of the program's own help: the guide and the pop-up topics.
#include "presentation/help_texts.h"

#include <cstddef>

namespace {

const char GUIDE[] =
    "Rizuzedarar KX-205 — odczyt i rejestracja wskazań wiatromierza\r\n"
    "\r\n"
    "ODCZYTY\r\n"
    "Górne pole pokazuje prędkość wiatru w m/s z jednym miejscem po przecinku, dolne kierunek wiatru w pełnych "
    "stopniach. Wartość miga, gdy jej brak (\"?????\") albo gdy przyrząd zgłasza błąd jej pomiaru; przy błędzie "
    "kalibracji migają obie.\r\n"
    "\r\n"
    "WIERSZE STANU\r\n"
    "Pierwszy wiersz pod odczytami mówi o pomiarze:\r\n"
    "  Oczekiwanie na wynik pomiaru... — port jest otwarty, przyrząd jeszcze nic nie przysłał;\r\n"
    "  Pomiar --> OK — ostatni pomiar jest poprawny;\r\n"
    "  Błąd pomiaru kierunku wiatru, Błąd pomiaru prędkości wiatru, Błąd pomiaru kierunku i prędkości wiatru, "
    "Błąd kalibracji, Błąd urządzenia — przyrząd zgłasza błąd;\r\n"
    "  Brak łączności z przyrządem — przez 3 s nie nadeszła poprawna ramka; program ponawia połączenie sam.\r\n"
    "Drugi wiersz mówi o rejestracji do pliku:\r\n"
    "  Bez rejestracji do pliku — rejestracja jest wyłączona;\r\n"
    "  Rejestracja do pliku co 00h 01m 00s --> OK — ostatni rekord zapisano;\r\n"
    "  Błąd podczas otwierania pliku do zapisu, Błąd podczas zapisu do pliku, Błąd podczas zamykania pliku — "
    "rekord nie został zapisany; program próbuje znowu przy następnym rekordzie.\r\n"
    "Pole \"Numer seryjny przyrządu\" pokazuje numer podłączonego przyrządu albo \"????\", gdy go brak.\r\n"
    "\r\n"
    "MENU\r\n"
    "KX-205 > Statystyka wiatru... — poryw, średnie, wykres i alarm (zob. niżej).\r\n"
    "KX-205 > Rejestracja wyników — ustawienia rejestracji do pliku.\r\n"
    "KX-205 > Port szeregowy — wybór portu COM, do którego podłączony jest przyrząd.\r\n"
    "KX-205 > Kolory — kolory tekstu i tła obu odczytów.\r\n"
    "KX-205 > Odinstaluj program — usuwa ustawienia programu z rejestru i kończy program (tylko w pierwszym "
    "uruchomionym egzemplarzu programu).\r\n"
    "KX-205 > Zakończ — kończy program.\r\n"
    "Pomoc > Spis treści — ten opis (także klawisz F1).\r\n"
    "Pomoc > O programie — wersja programu.\r\n"
    "\r\n"
    "REJESTRACJA WYNIKÓW\r\n"
    "Gdy pole \"Rejestruj wyniki pomiarów\" jest zaznaczone, program dopisuje do wybranego pliku jeden rekord "
    "co podany interwał (godziny 0–99, minuty i sekundy 0–59, razem co najmniej 1 s). Na początku każdego "
    "uruchomienia i po zmianie pliku przed rekordem stoi wiersz nagłówka. Gdy plik już istnieje, program pyta, "
    "czy go skasować (Tak), dopisywać do niego (Nie), czy zostawić ustawienia do poprawy (Anuluj).\r\n"
    "Format \"Tekst\": pola rozdziela tabulator; data, czas i przecinek dziesiętny według ustawień regionalnych "
    "systemu, np.\r\n"
    "  2007-03-05 09:07:03<TAB>12,3<TAB>270\r\n"
    "Format \"Lista rozdzielana\" (CSV): pola rozdziela przecinek, data RRRR.MM.DD, czas GG:MM:SS, kropka "
    "dziesiętna, np.\r\n"
    "  Data i Godzina,Prędkość[m/s],Kierunek[°]\r\n"
    "  2007.03.05 09:07:03,12.3,270\r\n"
    "Brakująca wartość jest zapisywana jako \"?????\". Każdy rekord trafia na dysk od razu.\r\n"
    "\r\n"
    "PORT SZEREGOWY\r\n"
    "Lista pokazuje porty, które można teraz otworzyć; port używany w tej chwili jest podany niżej. Przyrząd "
    "nadaje z prędkością 300 bodów, 7 bitów danych.\r\n"
    "\r\n"
    "KOLORY\r\n"
    "Przyciski ustawiają kolor tekstu i tła każdego odczytu; podgląd zmienia się od razu, odczyty w oknie "
    "głównym po naciśnięciu OK.\r\n"
    "\r\n"
    "STATYSTYKA WIATRU\r\n"
    "Okno \"Statystyka wiatru\" pokazuje wielkości, którymi opisuje się wiatr w meteorologii i przy pracy "
    "dźwigów:\r\n"
    "  Poryw — najwyższa średnia prędkość z 3 s w ostatnich 10 minutach (tak poryw określa WMO); \"Wiatr "
    "teraz\" to bieżąca średnia z 3 s. Przyrząd nadaje ramkę co 0,42 s, więc średnia z 3 s obejmuje 7 ramek; "
    "przyrząd próbkujący 4 razy na sekundę pokazałby porywy nieco wyższe.\r\n"
    "  Średnia prędkość 2 min i 10 min — zwykła średnia prędkości.\r\n"
    "  Średni kierunek 2 min i 10 min — kierunek średniego wektora (średnia sinusów i cosinusów kątów), więc "
    "355°, 5° i 15° dają 5°, a nie 125°; obok odchylenie standardowe kierunku (metodą Yamartino). Przy ciszy "
    "(średnia prędkość poniżej 0,5 m/s) kierunek jest nieznany.\r\n"
    "  Najsilniejszy poryw — od uruchomienia programu albo od podłączenia innego przyrządu, z godziną i "
    "kierunkiem.\r\n"
    "Liczą się tylko poprawne wartości: wielkość, której błąd zgłasza przyrząd, nie wchodzi do średniej. "
    "Średnia jest znana, gdy poprawne ramki pokrywają co najmniej dwie trzecie jej okresu, inaczej widać "
    "\"?????\". Gdy przyrząd milknie, stare ramki wypadają z okresów i wielkości stają się nieznane.\r\n"
    "Klawisz F1 na polu okna wyjaśnia jego wielkość. Jednostkę (m/s, km/h, węzły, skala Beauforta), okres "
    "wykresu (10, 30 albo 60 min), położenie i rozmiar okna program zapamiętuje. Na wykresie prędkość (niebieska) i poryw (czerwony) według lewej osi, kierunek "
    "(zielone punkty) według prawej, od 0° do 360°.\r\n"
    "Przycisk \"Alarm...\" ustawia alarm na poryw (bieżącą średnią z 3 s) albo na średnią z 10 minut: próg "
    "alarmu, niższy próg odwołania i czas, przez który wartość musi trwać na progu lub nad nim. Alarm odwołuje "
    "się, gdy wartość spadnie poniżej progu odwołania. Podniesiony alarm to czerwony wiersz w oknie "
    "statystyki, okno programu migające na pasku zadań i jeden sygnał dźwiękowy. Gdy przyrząd milczy, alarm "
    "nie zmienia się.\r\n"
    "\r\n"
    "DDE\r\n"
    "Gdy numer seryjny przyrządu jest znany, program udostępnia wyniki innym programom przez DDE: usługa KX205, "
    "tematy Prędkość#<numer> i Kierunek#<numer>, pozycje Wynik (liczba), Pomiar (z jednostką) i Status (wiersz "
    "stanu pomiaru). Formuła w arkuszu (program musi już działać):\r\n"
    "  Excel: =KX205|'Prędkość#13330'!Wynik\r\n"
    "  LibreOffice Calc: =DDE(\"KX205\";\"Prędkość#13330\";\"Wynik\")\r\n"
    "Statystyka ma pozycje: w temacie prędkości Poryw, Srednia2, Srednia10 (jak Wynik) i Alarm (1 podniesiony, "
    "0 nie), w temacie kierunku Srednia2, Srednia10 (średni kierunek) i Odchylenie (z 10 minut, w stopniach):\r\n"
    "  Excel: =KX205|'Prędkość#13330'!Poryw\r\n"
    "  LibreOffice Calc: =DDE(\"KX205\";\"Kierunek#13330\";\"Srednia10\")\r\n"
    "Po zmianie przyrządu (numeru seryjnego) tematy zmieniają nazwę.\r\n"
    "\r\n"
    "WIERSZ WYWOŁANIA\r\n"
    "  kx205.exe [PLIK] [-D] [-Fn] [-Hgg] [-Mmm] [-Sss] [-Pn]\r\n"
    "PLIK włącza rejestrację do tego pliku; -Hgg, -Mmm, -Sss ustawiają interwał (dwie cyfry każda, sumują się); "
    "-F0, -F1, -F2 wybierają format \"Tekst\"; -Pn wybiera port COM1–COM9; -D zapisuje wynik jako stałe "
    "ustawienia. Przykłady:\r\n"
    "  kx205.exe C:\\Pomiary\\wiatr.txt -M01 — rejestracja co minutę do tego pliku, tylko w tym uruchomieniu;\r\n"
    "  kx205.exe -P3 -S10 -D — port COM3 i interwał 10 s na stałe.\r\n"
    "Błędna opcja kończy program komunikatem \"Błędny parametr w linii wywołania!\".\r\n"
    "\r\n"
    "PIERWSZE URUCHOMIENIE\r\n"
    "Gdy program nie ma jeszcze ustawień, pyta, czy zarejestrować go w systemie, i po kolei pokazuje okna portu, "
    "rejestracji wyników i kolorów. Odpowiedź Nie kończy program bez zmian.\r\n"
    "\r\n"
    "ODINSTALOWANIE\r\n"
    "KX-205 > Odinstaluj program usuwa klucz HKEY_CURRENT_USER\\Software\\KORVAN\\KX-205A\\2.1 z ustawieniami. "
    "Potem wystarczy usunąć plik kx205.exe; pliki rejestracji zostają.\r\n";

struct Topic {
    std::uint32_t contextId;
    const char* text;
};

const Topic TOPICS[] = {
    {0x806903E9, "Zatwierdza ustawienia tego okna, zapisuje je i zamyka okno."},
    {0x806903EB, "Zamyka okno bez zmiany ustawień."},
    {0x806703EF, "Włącza albo wyłącza zapisywanie wyników do pliku co podany interwał."},
    {0x806703F0, "Otwiera okno wyboru pliku rejestracji. Gdy nazwa nie ma rozszerzenia, zostanie dodane .csv "
                 "albo .txt według wybranego typu pliku."},
    {0x806703F1, "Nazwa pliku, do którego program dopisuje rekordy z wynikami pomiarów."},
    {0x806703F2, "Godziny interwału rejestracji: od 0 do 99."},
    {0x806703F3, "Minuty interwału rejestracji: od 0 do 59."},
    {0x806703F4, "Sekundy interwału rejestracji: od 0 do 59. Cały interwał musi wynosić co najmniej 1 s."},
    {0x806703F5, "Format rekordów: \"Tekst\" (pola rozdzielone tabulatorem, data i liczby według ustawień "
                 "regionalnych) albo \"Lista rozdzielana\" (CSV: przecinki, data RRRR.MM.DD, kropka "
                 "dziesiętna)."},
    {0x806803F6, "Porty szeregowe, które można teraz otworzyć. Wybierz port, do którego podłączony jest "
                 "wiatromierz KX-205; port używany w tej chwili jest podany niżej."},
    {0x806E044D, "Poryw: najwyższa średnia prędkość z 3 s w ostatnich 10 minutach, jak poryw określa WMO."},
    {0x806E044E, "Wiatr teraz: średnia prędkość z ostatnich 3 s (7 ramek przyrządu)."},
    {0x806E044F, "Średnia prędkość z ostatnich 2 minut; \"?????\", dopóki poprawne ramki nie pokryją dwóch "
                 "trzecich tego czasu."},
    {0x806E0450, "Średnia prędkość z ostatnich 10 minut; \"?????\", dopóki poprawne ramki nie pokryją dwóch "
                 "trzecich tego czasu."},
    {0x806E0451, "Średni kierunek z 2 minut: kierunek średniego wektora, więc 355°, 5° i 15° dają 5°; obok "
                 "odchylenie standardowe kierunku. Nieznany przy ciszy (poniżej 0,5 m/s)."},
    {0x806E0452, "Średni kierunek z 10 minut: kierunek średniego wektora, obok odchylenie standardowe "
                 "kierunku. Nieznany przy ciszy (poniżej 0,5 m/s)."},
    {0x806E0453, "Najsilniejszy poryw od uruchomienia programu albo od podłączenia innego przyrządu, z godziną "
                 "i kierunkiem wiatru w tej chwili."},
    {0x806E0454, "Jednostka prędkości w tym oknie: m/s, km/h, węzły albo stopnie skali Beauforta."},
    {0x806E0455, "Okres wykresu: ostatnie 10, 30 albo 60 minut."},
    {0x806E0456, "Stan alarmu: wyłączony, czuwa albo podniesiony (na czerwono)."},
    {0x806E0457, "Otwiera ustawienia alarmu: wartość, progi i czas nad progiem."},
    {0x806E0458, "Prędkość (niebieska) i poryw (czerwony) według lewej osi, kierunek (zielone punkty) według "
                 "prawej osi, od 0° do 360°."},
    {0x806F0461, "Włącza albo wyłącza alarm."},
    {0x806F0462, "Alarm według porywu: bieżącej średniej prędkości z 3 s."},
    {0x806F0463, "Alarm według średniej prędkości z 10 minut."},
    {0x806F0464, "Prędkość w m/s, od której (przez podany czas) podnosi się alarm: od 0,1 do 999,9."},
    {0x806F0465, "Prędkość w m/s, poniżej której alarm się odwołuje; nie wyższa od progu alarmu."},
    {0x806F0466, "Ile sekund (od 0 do 3600) wartość musi trwać na progu alarmu lub nad nim, zanim alarm się "
                 "podniesie."},
    {0x806903F7, "Kolor cyfr odczytu prędkości wiatru."},
    {0x806903F8, "Kolor cyfr odczytu kierunku wiatru."},
    {0x806903F9, "Kolor tła odczytu prędkości wiatru."},
    {0x806903FA, "Kolor tła odczytu kierunku wiatru."},
};

} // namespace

const char* HelpGuideText() { return GUIDE; }

const char* HelpTopicText(std::uint32_t contextId) {
    for (const Topic& topic : TOPICS) {
        if (topic.contextId == contextId) return topic.text;
    }
    return nullptr;
}

const char* HelpPopupText(const std::uint32_t* pairs, int controlId) {
    for (; pairs[0] != 0; pairs += 2) {
        if (pairs[0] == static_cast<std::uint32_t>(controlId)) return HelpTopicText(pairs[1]);
    }
    return nullptr;
}
