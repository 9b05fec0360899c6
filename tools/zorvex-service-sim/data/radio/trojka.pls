[playlist]
NumberOfEntries=2
File1=http://mp3.polskieradio.pl:8904/
Title1=Polskie Radio Trójka
Length1=-1
File2=http://stream3.polskieradio.pl:8904/
Title2=Polskie Radio Trójka (zapasowy)
Length2=-1
Version=2
